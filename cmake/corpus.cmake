# The corpus of real names sits beside the repository (a worktree keeps it one level
# further up). It is unpacked once here so the tests and benchmarks of both builds
# read a plain file.
function(mr_unpack_corpus)
    foreach(candidate ../shared/corpus ../../shared/corpus)
        set(packed ${PROJECT_SOURCE_DIR}/${candidate}/usr-files.tsv.gz)
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
