#include "cli/platform_mover.h"

#include "seams/mover.h"
#include "text/utf8.h"

#ifndef _WIN32
#include "platform/posix/posix_mover.h"
#endif

namespace mr::cli {
namespace {

// A bar that redraws in place, at most once per percent.
class ProgressBar {
public:
    ProgressBar(std::ostream& err, size_t total, bool shown)
        : err_(err), total_(total), shown_(shown && total >= kLongList) {}
    ~ProgressBar() {
        if (drawn_)
            err_ << "\r\x1b[K" << std::flush;
    }
    void update(size_t done) {
        if (!shown_)
            return;
        const size_t percent = done * 100 / total_;
        if (drawn_ && percent == lastPercent_)
            return;
        lastPercent_ = percent;
        drawn_ = true;
        const size_t filled = percent * kWidth / 100;
        err_ << "\rRenaming [" << std::string(filled, '#') << std::string(kWidth - filled, '.')
             << "] " << done << "/" << total_ << std::flush;
    }

private:
    static constexpr size_t kLongList = 200;
    static constexpr size_t kWidth = 40;
    std::ostream& err_;
    size_t total_;
    bool shown_;
    bool drawn_ = false;
    size_t lastPercent_ = 0;
};

std::vector<MoveFailure> failuresOf(const std::vector<RenameFailure>& failures) {
    std::vector<MoveFailure> out;
    for (const auto& f : failures)
        out.push_back({{f.from, f.to}, toUtf8(f.reason)});
    return out;
}

} // namespace

MoveResult moveForReal(const std::vector<FileRecord*>& files, std::ostream& err, bool progressBar) {
    MoveResult result;
#ifdef _WIN32
    // No bar here: on Windows the shell's operation shows its own progress; under Wine
    // the module moves the files itself and shows a progress window only for an owner
    // window, which a command line has not.
    (void)err;
    (void)progressBar;
    auto mover = makePlatformMover();
    mover->renameFiles(nullptr, files);
    result.failures = failuresOf(mover->failures());
#else
    ProgressBar bar(err, files.size(), progressBar);
    PosixMoverOptions options;
    options.afterRename = [&](size_t done) { bar.update(done); };
    PosixMover mover(options);
    mover.renameFiles(nullptr, files);
    result.failures = failuresOf(mover.failures());
    result.journal = mover.journalPath();
    if (const auto& e = mover.journalError())
        result.journalError = e->path.empty()
                                  ? "cannot write a journal: " + e->reason
                                  : "cannot write the journal " + e->path + ": " + e->reason;
#endif
    return result;
}

} // namespace mr::cli
