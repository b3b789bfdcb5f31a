#pragma once
// The new name of each file: its old name matched against the pattern in use, each
// matched token rendered by the user's settings for it.
#include "pattern/field_capture.h"
#include "pattern/matching.h"
#include "pattern/token.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mr {

class HalvesThread;
class RecordSet;
struct FileRecord;
struct FolderRecord;

// Where each old name's tokens lie, kept from one pass of new names to the next: an
// edit that leaves the pattern's matching alone (a typed text, a field's settings)
// then renders the names without matching them again. Belongs to one record set.
class NameMatches {
public:
    struct Folder {
        const FileRecord* files = nullptr; // the folder's records these entries are for
        size_t count = 0;
        std::vector<uint8_t> state;   // per file: kUnknown, kMatched, kUnmatched
        std::vector<uint16_t> bounds; // per matched file: where each token begins, and the end
    };
    static constexpr uint8_t kUnknown = 0, kMatched = 1, kUnmatched = 2;

    // The entries of the folder for the pattern, forgotten first when the pattern
    // matches otherwise than the last one or the folder's records are other ones.
    Folder& prepare(size_t folderIndex, const FolderRecord& folder, const NamePattern& pattern);

private:
    bool sameMatching(const NamePattern& pattern) const;

    std::vector<Folder> folders_;
    // What matching depends on: each token's kind, text and extension flag.
    std::vector<PatternToken> shape_;
    bool includesExtension_ = false;
};

// Marks every file Good and gives every file that takes part, and whose new name was
// not pasted, its new name. With matches, what earlier passes matched is reused; with
// halves, the second half of each folder goes to that thread.
void regenerateNewNames(RecordSet& set, const NamePattern& pattern, NameMatches* matches = nullptr,
                        HalvesThread* halves = nullptr);

// A file whose name does not fit the pattern keeps its old name.
void generateNewName(const NamePattern& pattern, FileRecord& file);

std::u16string renderCapture(const FieldCapture& capture, const FileRecord& file,
                             const CaptureList& captures);

// The same renderings appended to out, with buffers that live as long as the renderer,
// for passes over many files.
class NameRenderer {
public:
    void generate(const NamePattern& pattern, FileRecord& file);
    // The same with the file's entry in the folder's matches, filled when unknown.
    void generate(const NamePattern& pattern, FileRecord& file, NameMatches::Folder& matches,
                  size_t index);
    void appendName(const CaptureList& captures, const FileRecord& file, std::u16string& out);
    void appendCapture(const FieldCapture& capture, const FileRecord& file,
                       const CaptureList& captures, std::u16string& out);

private:
    void render(const SplitName& split, FileRecord& file);

    TokenMatcher matcher_;
    CaptureList captures_;
    std::u16string name_;
    std::u16string text_; // one text token's output, which tags fill up to its cap
};

} // namespace mr
