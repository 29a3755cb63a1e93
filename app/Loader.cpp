#include "app/Loader.h"

#include <utility>

#include "app/Language.h"
#include "app/Main.h"
#include "base/FileSystem.h"
#include "ramp/Displays.h"
#include "ramp/RampFile.h"
#include "ramp/SessionJournal.h"

Loader::Loader(std::string dataFolder, std::function<bool()> calibrationOpen)
    : dataFolder_(std::move(dataFolder)), calibrationOpen_(std::move(calibrationOpen)) {}

bool Loader::Start() {
    if (calibrationOpen_()) {
        // The window has the displays: no fade over it. The files are read when it closes.
        paused_ = true;
        return true;
    }
    const FallbackRamps recovered = RecoverSessionJournal(dataFolder_, false);
    bool anyFile = false;
    for (int i = 0; i < Engine().DisplayCount(); ++i)
        anyFile = anyFile || Files().FileExists(RampFileName(dataFolder_, i));
    if (!anyFile)
        return false;
    ReadTargets();
    // The same fade as "/load": a display without a readable file goes to the identity, or
    // keeps what the recovery has just put back.
    std::vector<Ramp> fade(targets_.size());
    bool anyTarget = false;
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        if (targets_[i]) {
            fade[i] = *targets_[i];
            anyTarget = true;
        } else if (i < recovered.size() && recovered[i]) {
            fade[i] = *recovered[i];
        } else {
            LinearRamp(fade[i]);
        }
    }
    FadeToRamps(fade);
    NoteRefusals();
    return anyTarget;
}

void Loader::ReadTargets() {
    targets_.assign(Engine().DisplayCount(), std::nullopt);
    for (int i = 0; i < Engine().DisplayCount(); ++i) {
        Ramp ramp;
        if (ReadSavedRamp(dataFolder_, i, ramp))
            targets_[i] = ramp;
    }
}

bool Loader::Paused() {
    if (calibrationOpen_()) {
        paused_ = true;
        return true;
    }
    if (paused_) {
        paused_ = false;
        LoadSettingsAndLanguage();
        // The displays may have changed while the window had them, and a window ended by force
        // has left its session file.
        EnumDisplays();
        RecoverSessionJournal(dataFolder_, false);
        ReadTargets();
    }
    return false;
}

void Loader::WriteAll() {
    for (std::size_t i = 0; i < targets_.size(); ++i)
        if (targets_[i])
            WriteVerifiedRamp(static_cast<int>(i), *targets_[i]);
}

void Loader::OnDisplayChange() {
    if (Paused())
        return;
    EnumDisplays();
    ReadTargets();
    WriteAll();
    NoteRefusals();
}

void Loader::OnReapply() {
    if (Paused())
        return;
    WriteAll();
    NoteRefusals();
}

void Loader::Check() {
    if (Paused())
        return;
    bool refusedNow = false;
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        const int index = static_cast<int>(i);
        if (!targets_[i] || DisplayRefused(index))
            continue;
        Ramp now;
        // An unreadable ramp tells nothing; writing blindly could fight whoever holds it.
        if (ReadDisplayRamp(index, now) && !SameHighBytes(*targets_[i], now) &&
            !WriteVerifiedRamp(index, *targets_[i]))
            refusedNow = true;
    }
    // Only a display that refused in this check is news; one refused before is skipped above.
    if (refusedNow)
        NoteRefusals();
}

std::string Loader::RefusedNames() const {
    std::string names;
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        const int index = static_cast<int>(i);
        if (targets_[i] && DisplayRefused(index))
            names += (names.empty() ? "" : ", ") + DisplayName(index);
    }
    return names;
}

void Loader::NoteRefusals() {
    const std::string names = RefusedNames();
    notice_ = names.empty() ? std::string() : LangText("TrayRefused") + ": " + names;
}

std::string Loader::TakeNotice() {
    return std::exchange(notice_, {});
}

std::string Loader::TrayTip() const {
    const std::string names = RefusedNames();
    if (names.empty())
        return "Tonecast";
    return "Tonecast\n" + LangText("TrayRefused") + ": " + names;
}
