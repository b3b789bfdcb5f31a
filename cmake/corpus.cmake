# The corpus of real names sits beside the repository (a worktree keeps it one level
# further up). It is unpacked once here so the tests and benchmarks of both builds
# read a plain file. A tree copied elsewhere (the mutant runs' scratch copy) names the
# folder in MR_CORPUS_DIR.
set(MR_CORPUS_DIR "" CACHE PATH "Folder of usr-files.tsv.gz; empty: beside the repository")

function(mr_unpack_corpus)
    foreach(candidate ${MR_CORPUS_DIR} ${PROJECT_SOURCE_DIR}/../shared/corpus
                      ${PROJECT_SOURCE_DIR}/../../shared/corpus)
        set(packed ${candidate}/usr-files.tsv.gz)
        if(EXISTS ${packed})
            set(plain ${CMAKE_BINARY_DIR}/corpus/usr-files.tsv)
            if(NOT EXISTS ${plain} OR ${packed} IS_NEWER_THAN ${plain})
                file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/corpus)
                execute_process(COMMAND gzip -dc ${packed} OUTPUT_FILE ${plain}
                                RESULT_VARIABLE failed)
                if(failed)
                    file(REMOVE ${plain})
                    return()
                endif()
            endif()
            set(MR_CORPUS_TSV ${plain} PARENT_SCOPE)
            return()
        endif()
    endforeach()
endfunction()
