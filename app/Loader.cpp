#include "app/Loader.h"

#include <algorithm>
#include <utility>

#include "app/Language.h"
#include "app/Main.h"
#include "base/FileSystem.h"
#include "ramp/Displays.h"
#include "ramp/RampFile.h"
#include "ramp/RampFileMatch.h"
#include "ramp/SessionJournal.h"

namespace {

// The ramp with one entry moved by one step, still rising: a driver that skips a ramp equal to
// the one it believes it has cannot skip both this and the correction after it.
Ramp OneEntryOff(const Ramp& ramp) {
    Ramp off = ramp;
    for (int level = kRampLevels - 1; level > 0; --level)
        if (off[level] > off[level - 1]) {
            --off[level];
            break;
        }
    return off;
}

// Adds `line` below the lines already in `text`.
void AddLine(std::string& text, const std::string& line) {
    if (!text.empty())
        text += '\n';
    text += line;
}

// "Correction not taken by display: Display 2 (...)", in the user's language.
std::string Labelled(const char* key, const std::string& names) {
    return LangText(key) + ": " + names;
}

// "Display 2" of "Display 2 (Generic Non-PnP Monitor)", in the user's language.
std::string ShortDisplayName(int index) {
    const std::string name = DisplayName(index);
    return name.substr(0, name.find(" ("));
}

}  // namespace

Loader::Loader(std::string dataFolder, LoaderSurroundings surroundings)
    : dataFolder_(std::move(dataFolder)), surroundings_(std::move(surroundings)) {}

bool Loader::Start() {
    if (surroundings_.calibrationOpen()) {
        // The window has the displays: no fade over it. The files are read when it has gone.
        rested_ = true;
        return true;
    }
    const FallbackRamps recovered = RecoverSessionJournal(dataFolder_, false);
    ReadTargets();
    if (std::none_of(kept_.begin(), kept_.end(),
                     [](const Kept& k) { return Files().FileExists(k.file); }))
        return false;
    // The same fade as "/load": a display without a readable file goes to the identity, or
    // keeps what the recovery has just put back; one in HDR is not touched.
    std::vector<std::optional<Ramp>> fade(kept_.size());
    bool anyTarget = false;
    for (std::size_t i = 0; i < kept_.size(); ++i) {
        if (DisplayInAdvancedColor(static_cast<int>(i)))
            continue;
        if (kept_[i].target) {
            fade[i] = kept_[i].target;
            anyTarget = true;
        } else if (i < recovered.size() && recovered[i]) {
            fade[i] = recovered[i];
        } else {
            fade[i].emplace();
            LinearRamp(*fade[i]);
        }
    }
    FadeToRamps(fade);
    NoteRefusals();
    return anyTarget;
}

void Loader::ReadTargets() {
    const std::vector<std::string> files = MatchRampFiles(dataFolder_);
    std::vector<Kept> fresh(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        Kept& k = fresh[i];
        k.file = files[i];
        // The stamp before the bytes: a file changing in between is read again next time.
        if (!Files().FileStamp(k.file, k.fileSize, k.fileTime))
            k.fileSize = k.fileTime = 0;
        Ramp ramp;
        if (ReadSavedRamp(k.file, static_cast<int>(i), ramp))
            k.target = ramp;
        // A display left to another program stays so when its file is read again.
        for (const Kept& old : kept_)
            if (old.file == k.file && old.paused) {
                k.paused = true;
                k.pauseDelay = old.pauseDelay;
                k.resumeAt = old.resumeAt;
                k.lastWrite = old.lastWrite;
            }
    }
    kept_ = std::move(fresh);
}

bool Loader::FilesChanged() const {
    for (const Kept& k : kept_) {
        std::uint64_t size = 0, time = 0;
        if (!Files().FileStamp(k.file, size, time))
            size = time = 0;
        if (size != k.fileSize || time != k.fileTime)
            return true;
    }
    return false;
}

bool Loader::Resting() {
    const bool opening =
        calibrationOpening_ && surroundings_.nowMs() - *calibrationOpening_ < kCalibrationStartMs;
    if (opening || surroundings_.calibrationOpen() || surroundings_.fullScreen()) {
        rested_ = true;
        return true;
    }
    if (rested_) {
        rested_ = false;
        LoadSettingsAndLanguage();
        EnumDisplays(ErrorBoxes::Suppress);
        RecoverSessionJournal(dataFolder_, false);
        ReadTargets();
    }
    return false;
}

bool Loader::WriteKept(int index, std::int64_t now) {
    Kept& k = kept_[index];
    k.lastWrite = now;
    if (WriteVerifiedRamp(index, *k.target)) {
        k.retryDelay = 0;
        return true;
    }
    k.retryDelay = k.retryDelay == 0 ? kFirstRetryMs : std::min(2 * k.retryDelay, kLongestRetryMs);
    k.retryAt = now + k.retryDelay;
    return false;
}

void Loader::WriteTwice(int index, std::int64_t now) {
    const Kept& k = kept_[index];
    if (!k.target || k.paused || DisplayInAdvancedColor(index))
        return;
    WriteDisplayRamp(index, OneEntryOff(*k.target));
    WriteKept(index, now);
}

void Loader::WriteAllTwice() {
    const std::int64_t now = surroundings_.nowMs();
    for (std::size_t i = 0; i < kept_.size(); ++i) {
        kept_[i].retryDelay = 0;  // an event starts the refused displays' delays anew
        WriteTwice(static_cast<int>(i), now);
    }
    NoteRefusals();
}

void Loader::OnDisplayChange() {
    if (Resting())
        return;
    EnumDisplays(ErrorBoxes::Suppress);
    ReadTargets();
    WriteAllTwice();
}

void Loader::OnReapply() {
    if (!Resting())
        WriteAllTwice();
}

void Loader::ReapplyNow() {
    for (Kept& k : kept_) {
        k.paused = false;
        k.pauseDelay = 0;
        k.overwrites = 0;
    }
    OnReapply();
}

void Loader::OnCalibrationOpened() {
    calibrationOpening_ = surroundings_.nowMs();
    rested_ = true;
}

void Loader::OnCalibrationClosed() {
    calibrationOpening_.reset();
    Check();
}

void Loader::Check() {
    if (Resting())
        return;
    if (FilesChanged())
        ReadTargets();
    const std::int64_t now = surroundings_.nowMs();
    for (std::size_t i = 0; i < kept_.size(); ++i)
        CheckDisplay(static_cast<int>(i), now);
}

void Loader::CheckDisplay(int index, std::int64_t now) {
    Kept& k = kept_[index];
    if (!k.target || DisplayInAdvancedColor(index) || (k.paused && now < k.resumeAt))
        return;
    if (DisplayRefused(index)) {
        // Told when it first refused; the retries say nothing new.
        if (now >= k.retryAt)
            WriteKept(index, now);
        return;
    }
    Ramp shown;
    // An unreadable ramp tells nothing; writing blindly could fight whoever holds it.
    if (!ReadDisplayRamp(index, shown))
        return;
    const bool inARow = k.lastWrite && now - *k.lastWrite < kFightWindowMs;
    if (SameHighBytes(*k.target, shown)) {
        if (k.paused && !inARow)  // back after a pause, and it held: the other program is gone
            k.paused = false, k.pauseDelay = 0, k.overwrites = 0;
        return;
    }
    k.overwrites = inARow ? k.overwrites + 1 : 1;
    // Once left to another program, the display is left again at the first sign of it.
    if (k.overwrites > kOverwritesBeforePause || (k.paused && inARow)) {
        if (!k.paused)
            Tell(LangText("TrayPaused") + " " + ShortDisplayName(index));
        k.pauseDelay = k.paused ? std::min(2 * k.pauseDelay, kLongestPauseMs) : kFirstPauseMs;
        k.paused = true;
        k.resumeAt = now + k.pauseDelay;
        return;
    }
    if (!WriteKept(index, now))
        Tell(Labelled("TrayRefused", DisplayName(index)));
}

bool Loader::IsRefused(int index) const {
    return kept_[index].target && DisplayRefused(index);
}

bool Loader::IsPaused(int index) const {
    return kept_[index].target && kept_[index].paused;
}

bool Loader::IsLeftInHdr(int index) const {
    return kept_[index].target && DisplayInAdvancedColor(index);  // the others lose nothing
}

std::string Loader::DisplayList(bool (Loader::*has)(int) const) const {
    std::string names;
    for (std::size_t i = 0; i < kept_.size(); ++i)
        if ((this->*has)(static_cast<int>(i))) {
            if (!names.empty())
                names += ", ";
            names += DisplayName(static_cast<int>(i));
        }
    return names;
}

void Loader::Tell(const std::string& line) {
    AddLine(notice_, line);
}

void Loader::NoteRefusals() {
    if (const std::string refused = DisplayList(&Loader::IsRefused); !refused.empty())
        Tell(Labelled("TrayRefused", refused));
}

std::string Loader::TakeNotice() {
    return std::exchange(notice_, {});
}

std::vector<std::string> Loader::PausedNotes() const {
    std::vector<std::string> notes;
    for (std::size_t i = 0; i < kept_.size(); ++i)
        if (IsPaused(static_cast<int>(i)))
            notes.push_back(LangText("TrayPaused") + " " + ShortDisplayName(static_cast<int>(i)));
    return notes;
}

std::string Loader::TrayTip() const {
    std::string tip = "Tonecast";
    if (const std::string refused = DisplayList(&Loader::IsRefused); !refused.empty())
        AddLine(tip, Labelled("TrayRefused", refused));
    for (const std::string& note : PausedNotes())
        AddLine(tip, note);
    if (const std::string hdr = DisplayList(&Loader::IsLeftInHdr); !hdr.empty())
        AddLine(tip, Labelled("TrayHdr", hdr));
    return tip;
}
