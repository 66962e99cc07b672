#include "skin/win32/manager.h"

#include <algorithm>
#include <utility>

#include "skin/skin_messages.h"
#include "skin/text.h"
#include "skin/win32/control_attach.h"
#include "skin/win32/form_skin.h"
#include "skin/win32/menus.h"
#include "ui/dpi.h"
#include "ui/forms.h"

namespace quillet::skin::win32 {

namespace {

// The manager lives until the program ends; after that, hook calls that arrive late pass through.
// Plain values, never destroyed themselves, so that late calls can still ask them.
TSkinManage* g_manager = nullptr;
bool g_finalized = false;

struct FinalizeAtExit {
  ~FinalizeAtExit() { TSkinManage::Finalize(); }
};

}  // namespace

std::string WindowClassName(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

ui::TWinControl* ToolkitControlOf(HWND hwnd) { return ui::TWinControl::FromHandle(hwnd); }

bool AnswersSkip(HWND hwnd) { return SendMessageA(hwnd, SKINMSG_QUERYSKIP, 0, 0) == 1; }

TSkinManage* TSkinManage::Instance() { return g_finalized ? nullptr : g_manager; }

TSkinManage& TSkinManage::Create() {
  static FinalizeAtExit at_exit;
  if (!g_manager) {
    g_finalized = false;
    g_manager = std::unique_ptr<TSkinManage>(new TSkinManage()).release();
  }
  return *g_manager;
}

void TSkinManage::Finalize() {
  if (!g_manager) return;
  TSkinManage& m = *g_manager;
  m.finishing_ = true;
  m.enabled_ = false;
  m.StopTimer();
  if (m.purge_timer_) KillTimer(nullptr, std::exchange(m.purge_timer_, 0));
  while (!m.forms_.empty()) {
    TWinSkinForm* f = m.forms_.front().get();
    if (!f->Dead() && IsWindow(f->Hwnd())) f->Restore();
    m.DropForm(f);
  }
  m.popups_.clear();
  if (m.hook_) UnhookWindowsHookEx(m.hook_);
  m.hook_ = nullptr;
  g_finalized = true;
  std::unique_ptr<TSkinManage> owned(g_manager);
  g_manager = nullptr;
}

TSkinManage::~TSkinManage() {
  StopTimer();
  if (purge_timer_) KillTimer(nullptr, purge_timer_);
  if (hook_) UnhookWindowsHookEx(hook_);
}

void TSkinManage::Register(TSkinData* data) {
  if (std::find(datas_.begin(), datas_.end(), data) != datas_.end()) return;
  datas_.push_back(data);
}

void TSkinManage::Unregister(TSkinData* data) {
  // Windows still skinned with this component go back to their own look first: their skin
  // objects must not outlive the skin they draw with.
  for (std::size_t i = 0; i < forms_.size();) {
    TWinSkinForm* f = forms_[i].get();
    if (f->Data() == data) {
      if (!f->Dead() && IsWindow(f->Hwnd())) f->Restore();
      DropForm(f);
    } else {
      ++i;
    }
  }
  popups_.erase(std::remove_if(popups_.begin(), popups_.end(), [&](const auto& p) { return p->Data() == data; }),
                popups_.end());
  datas_.erase(std::remove(datas_.begin(), datas_.end(), data), datas_.end());
  if (pending_ == data) pending_ = nullptr;
}

void TSkinManage::InstallHook() {
  if (!hook_) hook_ = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
}

void TSkinManage::StopTimer() {
  if (timer_) KillTimer(nullptr, timer_);
  timer_ = 0;
}

void TSkinManage::RequestPurge() {
  if (!purge_timer_) purge_timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, PurgeProc);
}

void CALLBACK TSkinManage::PurgeProc(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  TSkinManage* m = Instance();
  if (!m || m->purge_timer_ != id) return;
  m->purge_timer_ = 0;
  m->Purge();
}

void TSkinManage::ScheduleAction(TSkinAction action, int delayMs) {
  action_ = action;
  if (started_ != 0) {
    // The last request wins: the timer starts again with it.
    StopTimer();
    timer_ = SetTimer(nullptr, 0, static_cast<UINT>(std::max(delayMs, 1)), TimerProc);
    return;
  }
  if (action == saSkinAll || action == saUnskinAll) enabled_ = action == saSkinAll;
}

void CALLBACK TSkinManage::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  TSkinManage* m = Instance();
  if (!m) return;
  m->StopTimer();
  m->RunPendingAction();
}

void TSkinManage::RunPendingAction() {
  TSkinData* data = pending_;
  if (!data) return;
  switch (action_) {
    case saSkinAll: SkinAll(data); break;
    case saUnskinAll: UnskinAll(data); break;
    case saRefresh: Refresh(data); break;
    case saPurge: Purge(); break;
    case saReskinWindow: {
      HWND h = reskin_window_;
      if (TWinSkinForm* f = FindForm(h)) {
        f->Restore();
        f->MarkDead();
      }
      Purge();
      SkinWindow(h);
      return;
    }
    default: break;
  }
  if (data->OnSkinChanged) data->OnSkinChanged(*data);
  pending_ = nullptr;
}

std::vector<HWND> TSkinManage::ScreenForms() const {
  std::vector<HWND> out;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM lp) -> BOOL {
        if (dynamic_cast<ui::TForm*>(ToolkitControlOf(h))) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&out));
  return out;
}

void TSkinManage::SkinAll(TSkinData* data) {
  enabled_ = true;
  sweep_ = true;
  if (data->SkinFormtype == sfOnlyThisForm) {
    auto* owner = dynamic_cast<ui::TWinControl*>(data->Owner());
    const std::vector<HWND> forms = ScreenForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
      if (owner && owner->HandleIfAny() == *it) SkinWindow(*it);
  } else {
    Purge();
    const std::vector<HWND> forms = ScreenForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
      const LONG_PTR style = GetWindowLongPtrA(*it, GWL_STYLE);
      if (IsWindowVisible(*it) && !(style & WS_CHILD)) SkinWindow(*it);
    }
  }
  sweep_ = false;
}

void TSkinManage::UnskinAll(TSkinData* data) {
  enabled_ = false;
  Purge();
  auto unskin = [&](TWinSkinForm* f) {
    const HWND h = f->Hwnd();
    f->Restore();
    DropForm(f);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  };
  if (data->SkinFormtype == sfOnlyThisForm) {
    for (const auto& f : forms_)
      if (f->Data() == data) {
        unskin(f.get());
        break;
      }
    return;
  }
  while (!forms_.empty()) unskin(forms_.front().get());
}

void TSkinManage::Refresh(TSkinData* data) {
  Purge();
  std::vector<TWinSkinForm*> touched;
  for (const auto& f : forms_) {
    if (f->Data() != data) continue;
    f->ReleaseCaptionButtons();
    f->ReloadSkinData();
    touched.push_back(f.get());
    if (data->SkinFormtype == sfOnlyThisForm) break;
  }
  for (TWinSkinForm* f : touched) f->Repaint();
}

void TSkinManage::Purge() {
  for (std::size_t i = 0; i < forms_.size();) {
    if (forms_[i]->Dead()) {
      DropForm(forms_[i].get());
    } else {
      forms_[i]->DropDeadControls();
      ++i;
    }
  }
}

void TSkinManage::DropForm(TWinSkinForm* form) {
  forms_.erase(std::remove_if(forms_.begin(), forms_.end(), [&](const auto& p) { return p.get() == form; }),
               forms_.end());
}

TWinSkinForm* TSkinManage::FindForm(HWND hwnd) { return TWinSkinForm::Of(hwnd); }

TSkinData* TSkinManage::ChooseSkinData(HWND hwnd) const {
  std::vector<ComponentInfo> components;
  for (TSkinData* d : datas_) {
    auto* owner = dynamic_cast<ui::TWinControl*>(d->Owner());
    components.push_back({d->SkinFormtype, owner && owner->HandleIfAny() == hwnd});
  }
  const int i = ChooseComponent(components, WindowClassName(hwnd));
  return i < 0 ? nullptr : datas_[static_cast<std::size_t>(i)];
}

bool TSkinManage::SkinWindow(HWND hwnd) {
  if (!enabled_ || !hwnd) return false;
  Purge();
  if (FindForm(hwnd) || AnswersSkip(hwnd)) return false;
  ui::TWinControl* form = ToolkitControlOf(hwnd);
  WindowInfo w;
  w.className = WindowClassName(hwnd);
  w.style = static_cast<std::uint32_t>(GetWindowLongPtrA(hwnd, GWL_STYLE));
  w.toolkitForm = form != nullptr;
  w.formTag = form ? form->Tag() : 0;
  w.ownModule = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE)) == GetModuleHandleA(nullptr);
  RECT r{};
  GetWindowRect(hwnd, &r);
  w.empty = (r.right - r.left) * (r.bottom - r.top) == 0;
  if (!SkinnableWindow(w, sweep_)) return false;

  TSkinData* data = ChooseSkinData(hwnd);
  bool do_skin = FilterWindowClass(w.className, w.style, data ? data->Options : TSkinOptions{xoPreview});
  if (data && data->OnFormSkin)
    data->OnFormSkin(*data, w.className, do_skin);
  else
    do_skin = DefaultWindowFilter(w.className, do_skin, data ? data->SkinControls : TSkinControlTypes{});
  if (!do_skin || !data || data->NoSkinLoaded()) return false;

  if (started_ == 0) started_ = 1;
  auto skin = std::make_unique<TWinSkinForm>(*this, hwnd, w.className, form);
  if (form && data->OnBeforeSkinForm) data->OnBeforeSkinForm(form, hwnd, w.className);
  if (!skin->Initialize(data)) return false;
  forms_.push_back(std::move(skin));
  PostMessageA(hwnd, SKINMSG_ATTACH, 0, kAttachMagic);
  return true;
}

TWinSkinPopMenu* TSkinManage::FindPopup(HWND hwnd) { return TWinSkinPopMenu::Of(hwnd); }

TWinSkinPopMenu* TSkinManage::FindPopupByMenu(HMENU menu) const {
  for (const auto& p : popups_)
    if (p->Menu() == menu) return p.get();
  return nullptr;
}

TWinSkinPopMenu* TSkinManage::NewestPopupWithoutMenu() const {
  for (auto it = popups_.rbegin(); it != popups_.rend(); ++it)
    if (!(*it)->Menu()) return it->get();
  return nullptr;
}

void TSkinManage::SkinPopupMenu(HWND hwnd) {
  if (!enabled_ || FindPopup(hwnd) || AnswersSkip(hwnd)) return;
  TSkinData* data = ChooseSkinData(hwnd);
  if (!data || data->NoSkinLoaded()) return;
  if (!SkinsPopupMenuWindow(menu_mode_, data->SkinControls)) return;
  // A menu is at the DPI of the window tracking it, the active one.
  const TWinSkinForm* owner = TWinSkinForm::Of(GetActiveWindow());
  popups_.push_back(std::make_unique<TWinSkinPopMenu>(hwnd, data, owner ? owner->Dpi() : ui::WindowDpi(hwnd)));
}

void TSkinManage::OnCreateWindow(HWND hwnd, const CREATESTRUCTA* cs) {
  if (!cs) return;
  const std::string cls = WindowClassName(hwnd);
  if (EqualNoCase(cls, "ScrollBar") && (cs->style & SBS_SIZEGRIP) && cs->hwndParent) {
    if (TWinSkinForm* parent = FindForm(cs->hwndParent)) AttachChildWindow(*parent, hwnd);
    return;
  }
  if (!(cs->style & WS_CHILD) && cls == "#32768") {
    SkinPopupMenu(hwnd);
    return;
  }
  if ((cs->style & WS_CHILD) && cs->hwndParent) {
    // Made inside a skinned window: its skin comes once the window exists.
    if (FindForm(GetAncestor(cs->hwndParent, GA_ROOT)))
      PostMessageA(GetAncestor(cs->hwndParent, GA_ROOT), SKINMSG_CHILDCREATED, reinterpret_cast<WPARAM>(hwnd), 0);
    return;
  }
}

void TSkinManage::OnDestroyWindow(HWND hwnd) {
  auto it = std::find_if(popups_.begin(), popups_.end(), [&](const auto& p) { return p->Hwnd() == hwnd; });
  if (it == popups_.end()) return;
  (*it)->Restore();
  popups_.erase(it);
  if (popups_.empty()) {
    menu_mode_ = MenuMode::Popup;
    tracking_ = false;
  }
}

LRESULT CALLBACK TSkinManage::CbtProc(int code, WPARAM wp, LPARAM lp) {
  TSkinManage* m = Instance();
  if (m && code >= 0 && !m->finishing_) {
    const HWND hwnd = reinterpret_cast<HWND>(wp);
    switch (code) {
      case HCBT_CREATEWND:
        m->OnCreateWindow(hwnd, reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs);
        break;
      case HCBT_DESTROYWND:
        m->OnDestroyWindow(hwnd);
        break;
      case HCBT_ACTIVATE:
        if (m->started_ == 0) m->started_ = 1;
        m->SkinWindow(hwnd);
        break;
      default:
        break;
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace quillet::skin::win32
