#pragma once

// Turns the form's change handlers off for a scope, so the form's own writes to its controls
// do not come back as user edits; restores the flag to what it was when the scope began, on
// every path out of the scope.
class HandlersPaused {
public:
    explicit HandlersPaused(bool& flag) : flag_(flag), saved_(flag) { flag_ = false; }
    ~HandlersPaused() { flag_ = saved_; }
    HandlersPaused(const HandlersPaused&) = delete;
    HandlersPaused& operator=(const HandlersPaused&) = delete;

private:
    bool& flag_;
    bool saved_;
};
