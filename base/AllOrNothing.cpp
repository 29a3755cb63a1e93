#include "base/AllOrNothing.h"

#include "base/Errors.h"
#include "base/FileSystem.h"

namespace {

// Where one file of the save stands.
struct Step {
    std::string fresh;  // the new bytes, until moved into place
    std::string kept;   // the name the old file is (or will be) moved to
    bool oldMoved = false;
    bool placed = false;
};

// Takes the placed files back, the last one first, and deletes what the save made. An old
// file that cannot be moved back stays where it was kept, named in the error.
std::string TakeBack(const std::vector<PreparedFile>& files, std::vector<Step>& steps) {
    FileSystem& fs = Files();
    std::string stranded;
    for (std::size_t j = steps.size(); j-- > 0;) {
        Step& step = steps[j];
        try {
            if (step.oldMoved) {
                fs.MoveFileOver(step.kept, files[j].path);
                step.kept.clear();
            } else if (step.placed) {
                fs.RemoveFile(files[j].path);
            }
        } catch (const InOutError&) {
            stranded += "\r\n" + step.kept;
            step.kept.clear();
        }
        if (!step.fresh.empty())
            fs.RemoveFile(step.fresh);
        if (!step.kept.empty())
            fs.RemoveFile(step.kept);
    }
    return stranded;
}

}  // namespace

void SaveAllOrNothing(const std::vector<PreparedFile>& files) {
    FileSystem& fs = Files();
    std::vector<Step> steps(files.size());
    std::size_t current = 0;
    try {
        for (; current < files.size(); ++current) {
            Step& step = steps[current];
            step.fresh = fs.WriteTemporaryBeside(files[current].path, files[current].contents);
            // An empty file reserves a name for the old one beside it.
            if (fs.FileExists(files[current].path))
                step.kept = fs.WriteTemporaryBeside(files[current].path, std::string());
        }
        for (current = 0; current < files.size(); ++current) {
            Step& step = steps[current];
            if (!step.kept.empty()) {
                fs.MoveFileOver(files[current].path, step.kept);
                step.oldMoved = true;
            }
            fs.MoveFileOver(step.fresh, files[current].path);
            step.fresh.clear();
            step.placed = true;
        }
    } catch (const InOutError& error) {
        const std::string stranded = TakeBack(files, steps);
        throw SaveError(error.what() + stranded, error.code, files[current].path);
    } catch (...) {
        TakeBack(files, steps);
        throw;
    }
    for (const Step& step : steps)
        if (!step.kept.empty())
            fs.RemoveFile(step.kept);
}
