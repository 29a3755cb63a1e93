#pragma once
// The few error kinds that travel up to a caller. Each carries the message that the
// platform's standard error box shows when nothing handles it.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

// A token in a file that is not a valid number ("Invalid numeric input").
class ConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file could not be created, written, opened or read ("File access denied", "Disk full", ...).
class InOutError : public std::runtime_error {
public:
    InOutError(const std::string& message, int code = 0)
        : std::runtime_error(message), code(code) {}
    int code;
};

// A file that opened but failed while being read; `partial` holds the bytes read before the
// failure, for the readers that take what they got.
class ReadError : public InOutError {
public:
    ReadError(const std::string& message, int code, std::string partial)
        : InOutError(message, code), partial(std::move(partial)) {}
    std::string partial;
};

// A file larger than its kind may be ("The file is larger than the 64 KB allowed"): read no
// further, since only a damaged or planted file of that kind is so large.
class TooLargeError : public InOutError {
public:
    explicit TooLargeError(std::size_t limit)
        : InOutError("The file is larger than the " + SizeText(limit) + " allowed", kFileTooLarge) {
    }
    // The platform's own code for a file too large (ERROR_FILE_TOO_LARGE).
    static constexpr int kFileTooLarge = 223;

private:
    static std::string SizeText(std::size_t bytes) {
        if (bytes % (std::size_t{1} << 20) == 0)
            return std::to_string(bytes >> 20) + " MB";
        if (bytes % 1024 == 0)
            return std::to_string(bytes >> 10) + " KB";
        return std::to_string(bytes) + " bytes";
    }
};

// A settings value could not be written ("Unable to write to <path>").
class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A COM object could not be created ("<system text>, ClassID: <clsid>").
class OleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One file of a save could not be put in place; what() is the platform's reason, `path` the
// file's. Nothing of the save stayed on the disk (base/AllOrNothing.h).
class SaveError : public InOutError {
public:
    SaveError(const std::string& message, int code, std::string path)
        : InOutError(message, code), path(std::move(path)) {}
    std::string path;
};
