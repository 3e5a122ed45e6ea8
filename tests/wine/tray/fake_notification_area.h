// A notification area of the test's own: a hidden topmost window of the shell's tray class,
// which the system's Shell_NotifyIcon finds before the real one. It records every icon
// request (add, modify, delete) with its flags, tip, callback and the held buttons the
// picture shows, and can refuse them.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

namespace tt {

struct IconRequest {
    DWORD operation;        // NIM_ADD, NIM_MODIFY, NIM_DELETE
    HWND owner;
    UINT id;
    UINT flags;
    UINT callbackMessage;
    std::string tip;
    int heldButtons;        // from the picture: 1 left, 2 middle, 4 right; -1 without a picture
};

class FakeNotificationArea {
public:
    FakeNotificationArea();
    ~FakeNotificationArea();
    bool Ok() const { return window_ != nullptr; }
    // Requests answered FALSE from now on (the shell refusing the icon).
    void Refuse(bool refuse) { refuse_ = refuse; }
    const std::vector<IconRequest> &Requests() const { return requests_; }
    void Clear() { requests_.clear(); }
    // Count of requests with this operation.
    size_t Count(DWORD operation) const;
    // Called for every request as it arrives, while the sender waits for the answer.
    void OnRequest(std::function<void(const IconRequest &)> callback) { onRequest_ = std::move(callback); }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
    bool refuse_ = false;
    std::vector<IconRequest> requests_;
    std::function<void(const IconRequest &)> onRequest_;
};

// The held buttons a 32-bit picture of the tray icon shows: each button area red or not.
int HeldButtonsInPicture(const BYTE *bgra, UINT width, UINT height);

}  // namespace tt
