#pragma once
// The one way into the messages of a window whose procedure is not ours: an object on the window's
// subclass chain. It sees each message before the window's own procedure and passes on what it
// does not finish; it leaves the chain at WM_NCDESTROY or when removed, from wherever it stands in
// it, so whatever subclassed the window before or after it keeps working.
//
// The chain is kept in the process rather than by the system's SetWindowSubclass, which under Wine
// reads a window property (a trip to the window server) twice for every message of every window
// on it: a skinned window's repaint then took half as long again. The chain works as the system's
// does: one procedure in front of the window's own, the objects in order, newest first.
//
// Messages reach OnMessage in the system's wide form (the chain is Unicode whatever the window),
// so a handler that reads text or characters out of a message reads wide ones.

#include <windows.h>

#include <cstdint>

namespace quillet::ui {

class Subclass {
 public:
  // One object of each kind per window: FindOn looks the object up by its kind, and a second
  // object of the same kind is refused.
  enum class Kind : std::uintptr_t { FormSkin = 1, ControlSkin, PopupMenu, EditPart, ComboEdit, ConfirmBox };

  explicit Subclass(Kind kind) : kind_(kind) {}
  virtual ~Subclass();
  Subclass(const Subclass&) = delete;
  Subclass& operator=(const Subclass&) = delete;

  // Puts the object in front of the window's procedure. False when the window is gone, belongs
  // to another thread, or already has an object of this kind.
  bool Install(HWND hwnd);
  // Leaves the window. Safe at any time, also from inside one of the window's messages.
  void Remove();
  bool Installed() const { return hwnd_ != nullptr; }
  HWND Hwnd() const { return hwnd_; }

  // The object of a kind on a window, or null.
  static Subclass* FindOn(HWND hwnd, Kind kind);

 protected:
  // Every message of the window. What it does not finish goes on through CallNext. When it throws,
  // the message goes on as if the object were not there, unless it already did.
  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
  // The rest of the chain, ending in the window's own procedure.
  LRESULT CallNext(UINT msg, WPARAM wp, LPARAM lp);
  // After WM_NCDESTROY went down the chain and the object left the window.
  virtual void WindowDestroyed() {}

 private:
  struct Frame;
  friend struct SubclassChain;
  static LRESULT Dispatch(Subclass* self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  Kind kind_;
  HWND hwnd_ = nullptr;
  Frame* frame_ = nullptr;  // the innermost message being handled
};

}  // namespace quillet::ui
