#pragma once
// The new name of each file: its old name matched against the pattern in use, each
// matched token rendered by the user's settings for it.
#include "pattern/field_capture.h"
#include "pattern/matching.h"
#include "pattern/token.h"

#include <string>

namespace mr {

class RecordSet;
struct FileRecord;

// Marks every file Good and gives every file that takes part, and whose new name was
// not pasted, its new name.
void regenerateNewNames(RecordSet& set, const NamePattern& pattern);

// A file whose name does not fit the pattern keeps its old name.
void generateNewName(const NamePattern& pattern, FileRecord& file);

std::u16string renderCapture(const FieldCapture& capture, const FileRecord& file,
                             const CaptureList& captures);

// The same renderings appended to out, with buffers that live as long as the renderer,
// for passes over many files.
class NameRenderer {
public:
    void generate(const NamePattern& pattern, FileRecord& file);
    void appendName(const CaptureList& captures, const FileRecord& file, std::u16string& out);
    void appendCapture(const FieldCapture& capture, const FileRecord& file,
                       const CaptureList& captures, std::u16string& out);

private:
    TokenMatcher matcher_;
    CaptureList captures_;
    std::u16string name_;
    std::u16string text_; // one text token's output, which tags fill up to its cap
};

} // namespace mr
