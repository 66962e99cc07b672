#include "ui/subclass.h"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quillet::ui {

// A window's chain: the procedure under it and the objects on it, oldest first.
struct SubclassChain {
  WNDPROC original = nullptr;
  std::vector<Subclass*> entries;
  int depth = 0;  // messages of the window under way in the chain
  bool destroyed = false;

  static std::unordered_map<HWND, SubclassChain>& All() {
    static std::unordered_map<HWND, SubclassChain> chains;
    return chains;
  }
  static SubclassChain* Of(HWND hwnd) {
    auto it = All().find(hwnd);
    return it == All().end() ? nullptr : &it->second;
  }

  // The message sent on below `self` (below every object when null).
  LRESULT Below(const Subclass* self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto it = self ? std::find(entries.begin(), entries.end(), self) : entries.begin();
    if (it == entries.end() || it == entries.begin()) return CallWindowProcW(original, hwnd, msg, wp, lp);
    return Subclass::Dispatch(*(it - 1), hwnd, msg, wp, lp);
  }

  // Takes the chain's procedure off the window when nothing stands on it and nothing above it
  // calls into it; a procedure put in front of ours later still leads here, and the chain then
  // stays, passing every message on, until the window goes.
  static void Release(HWND hwnd) {
    SubclassChain* c = Of(hwnd);
    if (!c || !c->entries.empty() || c->depth > 0) return;
    if (c->destroyed || !IsWindow(hwnd)) {
      All().erase(hwnd);
    } else if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Proc)) {
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(c->original));
      All().erase(hwnd);
    }
  }

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    SubclassChain* c = Of(hwnd);
    if (!c) return DefWindowProcW(hwnd, msg, wp, lp);
    ++c->depth;
    struct Leave {
      HWND hwnd;
      UINT msg;
      ~Leave() {
        // The map's elements stay where they are while others come and go.
        SubclassChain* chain = Of(hwnd);
        if (!chain) return;
        --chain->depth;
        if (msg == WM_NCDESTROY) chain->destroyed = true;
        Release(hwnd);
      }
    } leave{hwnd, msg};
    if (c->entries.empty()) return CallWindowProcW(c->original, hwnd, msg, wp, lp);
    return Subclass::Dispatch(c->entries.back(), hwnd, msg, wp, lp);
  }
};

// One message on its way through an object; frames nest as messages do.
struct Subclass::Frame {
  Frame* outer;
  UINT msg;
  bool passed = false;  // the message itself went on down the chain
  bool gone = false;    // the object was freed while handling it
  LRESULT result = 0;
};

Subclass::~Subclass() {
  for (Frame* f = frame_; f; f = f->outer) f->gone = true;
  Remove();
}

bool Subclass::Install(HWND hwnd) {
  if (hwnd_ || !IsWindow(hwnd) || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return false;
  if (FindOn(hwnd, kind_)) return false;
  SubclassChain* c = SubclassChain::Of(hwnd);
  if (!c) {
    SubclassChain fresh;
    fresh.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassChain::Proc)));
    if (!fresh.original) return false;
    c = &SubclassChain::All().emplace(hwnd, std::move(fresh)).first->second;
  }
  c->entries.push_back(this);
  hwnd_ = hwnd;
  return true;
}

void Subclass::Remove() {
  const HWND h = std::exchange(hwnd_, nullptr);
  SubclassChain* c = h ? SubclassChain::Of(h) : nullptr;
  if (!c) return;
  c->entries.erase(std::remove(c->entries.begin(), c->entries.end(), this), c->entries.end());
  SubclassChain::Release(h);
}

Subclass* Subclass::FindOn(HWND hwnd, Kind kind) {
  SubclassChain* c = hwnd ? SubclassChain::Of(hwnd) : nullptr;
  if (!c) return nullptr;
  for (Subclass* s : c->entries)
    if (s->kind_ == kind) return s;
  return nullptr;
}

LRESULT Subclass::CallNext(UINT msg, WPARAM wp, LPARAM lp) {
  const HWND h = hwnd_;
  Frame* f = frame_;
  SubclassChain* c = h ? SubclassChain::Of(h) : nullptr;
  // An object that left the window meanwhile hands the message to what was under the chain.
  const LRESULT r = c ? c->Below(this, h, msg, wp, lp) : 0;
  if (f && !f->gone && f->msg == msg) {
    f->passed = true;
    f->result = r;
  }
  return r;
}

LRESULT Subclass::Dispatch(Subclass* self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Frame frame{self->frame_, msg};
  self->frame_ = &frame;
  LRESULT result = 0;
  // What is under this object, found again afterwards: the object may be gone by then.
  auto below = [&] {
    SubclassChain* c = SubclassChain::Of(hwnd);
    return c ? c->Below(frame.gone ? nullptr : self, hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
  };
  try {
    result = self->OnMessage(msg, wp, lp);
  } catch (...) {
    // The message reaches the window once, whatever part of the handling ran.
    result = frame.passed ? frame.result : below();
    frame.passed = true;
  }
  if (frame.gone) {
    if (msg == WM_NCDESTROY && !frame.passed) result = below();
    return result;
  }
  self->frame_ = frame.outer;
  if (msg == WM_NCDESTROY) {
    // The window's own clean-up must run, whatever the handler did with the message.
    if (!frame.passed) result = below();
    self->Remove();
    self->WindowDestroyed();
  }
  return result;
}

}  // namespace quillet::ui
