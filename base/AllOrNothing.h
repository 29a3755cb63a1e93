#pragma once
// Saving several files as one: after a failure every file is as it was before, byte for byte.

#include <string>
#include <vector>

// One file of a save: where it goes and its whole contents.
struct PreparedFile {
    std::string path;
    std::string contents;
};

// Puts every file in place, or none. First every file's bytes are written beside it
// (Files().WriteTemporaryBeside), so a full disk or a folder that cannot be written stops the
// save before any file is touched. Then, in list order, each existing file is moved aside and
// the new one moved into its place; the old ones are deleted only when all are in place. When
// a move fails (a file held open by another program, a folder of that name), the files placed
// so far are taken back, the last one first: each old file is moved back over its
// replacement, and a file that did not exist before is deleted. Throws SaveError naming the
// file that failed, with the platform's reason.
void SaveAllOrNothing(const std::vector<PreparedFile>& files);
