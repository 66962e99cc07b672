#include "registry/history.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "registry/history_files.h"
#include "registry/registry_store.h"

namespace quillet {

namespace {

History* g_history = nullptr;

std::int64_t SystemMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

History::History(std::string folder, RegistryBackend& backend) : folder_(std::move(folder)), backend_(backend) {
  Rescan();
  Prune();
}

History::~History() {
  recording_.reset();
  try {
    Flush();
  } catch (...) {
    // Telling the user failed; the records are written all the same.
  }
  writer_.reset();
  Prune();
}

std::int64_t History::Now() const { return clock ? clock() : SystemMs(); }

bool History::Flush() {
  if (!writer_) return false;
  writer_->Wait();
  return Collect();
}

bool History::Collect() {
  if (!writer_) return false;
  const std::vector<RecordWriter::Done> done = writer_->Take();
  if (done.empty()) return false;
  bool lost = false;
  for (const RecordWriter::Done& d : done) {
    pending_.erase(pending_.begin());
    if (d.record) {
      records_.push_back(d.name);
      read_[d.name] = d.record;
      last_stamp_ = std::max(last_stamp_, HistoryFileTime(d.name).value_or(0));
    } else {
      if (untold_titles_.empty()) untold_why_ = d.why;
      untold_titles_.push_back(d.title);
      lost = true;
    }
  }
  if (!lost) return false;
  // The newest change may now be an older one.
  Changed();
  TellUnrecorded();
  return true;
}

void History::TellUnrecorded() {
  // A message box's own loop may bring us here again; what comes meanwhile is told after it.
  if (telling_) return;
  telling_ = true;
  struct Told {
    bool& telling;
    ~Told() { telling = false; }
  } told{telling_};
  while (!untold_titles_.empty()) {
    const std::vector<std::string> titles = std::exchange(untold_titles_, {});
    const std::string why = std::exchange(untold_why_, {});
    if (!on_unrecorded) continue;
    std::string said;
    for (std::size_t i = 0; i < titles.size(); ++i)
      said += (i == 0 ? "\"" : i + 1 == titles.size() ? " and \"" : ", \"") + titles[i] + "\"";
    if (titles.size() == 1)
      on_unrecorded("The change " + said + " was made, but Quillet could not keep a record of it in " + folder_ +
                    ", so it cannot be undone.\r\n\r\n" + why);
    else
      on_unrecorded("The changes " + said + " were made, but Quillet could not keep a record of them in " +
                    folder_ + ", so they cannot be undone.\r\n\r\n" + why);
  }
}

void History::Rescan() {
  Flush();
  records_.clear();
  read_.clear();  // what is in the files now counts, edits and damage included
  // New records sort after the ones there, though the clock went back a little; a name far ahead
  // of the clock is no record of a change made yet.
  const std::int64_t horizon = Now() + 86400000;
  for (const std::string& name : FolderFileNames(folder_)) {
    if (taken_back_.count(name)) continue;
    if (const auto stamp = HistoryFileTime(name)) {
      records_.push_back(name);
      if (*stamp < horizon) last_stamp_ = std::max(last_stamp_, *stamp);
    }
  }
  std::sort(records_.begin(), records_.end());
  if (writer_) writer_->Follow(last_stamp_);
}

void History::Prune() {
  while (records_.size() > kKept) {
    const std::string path = JoinPath(folder_, records_.front());
    // Only records of ours go, damaged ones too; a file that merely looks like one is someone else's.
    bool exists = false;
    if (IsHistoryRecordText(ReadWholeFileBytes(path, &exists))) RemoveFile(path);
    read_.erase(records_.front());
    records_.erase(records_.begin());
  }
}

void History::Begin(std::string title) {
  title_ = OneLine(title);
  recorder_ = std::make_unique<ChangeRecorder>(backend_);
  recording_ = std::make_unique<ScopedRecorder>(*recorder_);
}

void History::End() {
  recording_.reset();
  const std::unique_ptr<ChangeRecorder> recorder = std::move(recorder_);
  if (!recorder || !recorder->Changed()) return;
  try {
    // The state Redo would bring back no longer follows from this one.
    redo_.clear();
    File(title_, *recorder);
    Changed();
  } catch (...) {
    // Telling the user failed too; the change itself stands.
  }
}

void History::Changed() {
  if (on_change) on_change();
}

void History::File(const std::string& title, const ChangeRecorder& recorder) {
  if (folder_.empty()) {
    if (untold_titles_.empty()) untold_why_ = "The system names no folder for application data.";
    untold_titles_.push_back(title);
    TellUnrecorded();
    return;
  }
  if (!writer_) {
    writer_ = std::make_unique<RecordWriter>(folder_, on_written);
    writer_->Follow(last_stamp_);
  }
  pending_.push_back(title);
  writer_->Hand({title, recorder.UndoLines(), Now()});
}

std::string History::NewestRecord() {
  for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
    auto cached = read_.find(*it);
    if (cached == read_.end()) {
      bool exists = false;
      const std::string bytes = ReadWholeFileBytes(JoinPath(folder_, *it), &exists);
      cached = read_.emplace(*it, exists ? ReadHistoryRecord(bytes) : std::nullopt).first;
    }
    // A damaged record is passed over, never applied in part.
    if (cached->second) return *it;
  }
  return {};
}

std::string History::UndoTitle() {
  // What the writer has yet to write is newer than every file.
  if (!pending_.empty()) return pending_.back();
  const std::string newest = NewestRecord();
  return newest.empty() ? newest : read_[newest]->title;
}

void History::Apply(const std::vector<RegFileOp>& ops) {
  RegistryStore store(backend_);
  for (const RegFileOp& op : ops) {
    switch (op.kind) {
      case RegFileOp::Key:
        store.Close();
        store.SetRoot(op.root);
        if (!store.Open(op.path, true)) throw ERegistryException("Failed to create key " + op.path);
        break;
      case RegFileOp::DeleteKey:
        store.Close();
        store.SetRoot(op.root);
        store.EraseKey(op.path);
        if (store.HasKey(op.path)) throw ERegistryException("Failed to delete key " + op.path);
        break;
      case RegFileOp::Value:
        store.WriteValue(op.value.name, op.value.type, op.value.data);
        break;
      case RegFileOp::DeleteValue: {
        if (store.EraseValue(op.value.name) || !store.HasCurrentKey()) break;
        std::uint32_t type = 0, size = 0;
        if (backend_.QueryValue(store.CurrentKey(), op.value.name, &type, nullptr, &size) == kOk)
          throw ERegistryException("Failed to delete value '" + op.value.name + "'");
        break;
      }
    }
  }
}

void History::Replay(const std::vector<RegFileOp>& ops, ChangeRecorder& undone, const char* what) {
  last_keys_.clear();
  try {
    const ScopedRecorder recording(undone);
    Apply(ops);
  } catch (const std::exception& e) {
    last_keys_ = undone.Keys();
    throw ERegistryException(std::string(what) + " stopped part-way: " + e.what());
  }
  last_keys_ = undone.Keys();
}

void History::Undo() {
  // A change told only now to have no record is not passed over in silence: this undo stops at
  // the telling, and the next takes the change before it.
  if (Flush()) return;
  Rescan();
  const std::string newest = NewestRecord();
  if (newest.empty()) return;
  const HistoryRecord record = *read_[newest];
  ChangeRecorder undone(backend_);
  try {
    Replay(record.ops, undone, "Undo");
  } catch (...) {
    // The record stays for another try; what the undo did change can be redone all the same.
    if (undone.Changed()) redo_.push_back({record.title, undone.UndoLines()});
    Changed();
    throw;
  }
  // A record that will not go (a folder that became read-only) is passed over from now on.
  if (!RemoveFile(JoinPath(folder_, newest))) taken_back_.insert(newest);
  records_.erase(std::find(records_.begin(), records_.end(), newest));
  read_.erase(newest);
  if (undone.Changed()) redo_.push_back({record.title, undone.UndoLines()});
  Changed();
}

void History::Redo() {
  Flush();
  if (redo_.empty()) return;
  const Redoable step = redo_.back();
  ChangeRecorder redone(backend_);
  try {
    Replay(ParseRegFile("REGEDIT4\r\n\r\n" + step.lines), redone, "Redo");
  } catch (...) {
    if (redone.Changed()) File(step.title, redone);
    Changed();
    throw;
  }
  redo_.pop_back();
  if (redone.Changed()) File(step.title, redone);
  Changed();
}

History* CurrentHistory() { return g_history; }

ScopedHistory::ScopedHistory(History& history) : previous_(g_history) { g_history = &history; }

ScopedHistory::~ScopedHistory() { g_history = previous_; }

RecordedAction::RecordedAction(const std::string& action, const std::string& object) {
  History* history = CurrentHistory();
  if (!history || history->Recording()) return;
  history_ = history;
  history->Begin(object.empty() ? action : action + " " + object);
}

RecordedAction::~RecordedAction() {
  if (history_) history_->End();
}

}  // namespace quillet
