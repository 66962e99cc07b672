#pragma once
// The history of changes: every action that changes the registry leaves one record in a folder,
// a .reg file that puts back what it changed; undo applies the newest record through the store
// and keeps the inverse for redo. Pages only name their actions (RecordedAction); the store
// reports each change below them. The action keeps its record in memory and hands it to a writer
// thread; everything that reads the folder waits for that thread first.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "registry/backend.h"
#include "registry/change_recorder.h"
#include "registry/history_record.h"
#include "registry/record_writer.h"

namespace quillet {

class History {
 public:
  static constexpr std::size_t kKept = 200;

  // Records go into `folder`, made when the first one is written. The oldest records beyond the
  // newest kKept go now and when the history ends, once every record is written.
  explicit History(std::string folder, RegistryBackend& backend = DefaultRegistry());
  ~History();
  History(const History&) = delete;
  History& operator=(const History&) = delete;

  const std::string& Folder() const { return folder_; }

  bool Recording() const { return recorder_ != nullptr; }
  // One action: every change the store makes from Begin to End belongs to one record.
  void Begin(std::string title);
  // Hands the record to the writer when anything changed, without waiting for it; never raises.
  // A record that cannot be written is told through on_unrecorded, once, when it is collected.
  void End();

  // Waits until every record handed over is on disk or known lost, then collects.
  bool Flush();
  // Takes in what the writer is done with. Returns whether it told of a change without a record.
  bool Collect();

  // The newest change that Undo or Redo would take; empty when there is none.
  std::string UndoTitle();
  std::string RedoTitle() const { return redo_.empty() ? std::string() : redo_.back().title; }
  // Takes the newest whole record back and keeps what it undid for Redo. A step that fails raises
  // an error that says so; what was done stays done, and the record stays for another try.
  void Undo();
  void Redo();
  // The keys the last Undo or Redo changed, also when it failed part-way.
  const std::vector<RegKeyRef>& LastKeys() const { return last_keys_; }
  // Reads the folder again, for records another window or program wrote, after our own are in.
  void Rescan();

  // Told after every change to what Undo and Redo would take.
  std::function<void()> on_change;
  // Told, with the text to show, when a change has no record.
  std::function<void(const std::string&)> on_unrecorded;
  // Called on the writer's thread each time it is done with a record: the owner has its
  // user-interface thread call Collect. Set before the first change.
  std::function<void()> on_written;
  // Milliseconds since 1970 (UTC); tests set their own.
  std::function<std::int64_t()> clock;

 private:
  struct Redoable {
    std::string title;
    std::string lines;
  };
  std::int64_t Now() const;
  // Hands the recorder's undo to the writer as the newest record.
  void File(const std::string& title, const ChangeRecorder& recorder);
  // Tells the user of the changes in `untold_`, in one message, unless it is being told already.
  void TellUnrecorded();
  // The newest readable record, as its file name; empty when none.
  std::string NewestRecord();
  void Apply(const std::vector<RegFileOp>& ops);
  // Runs `ops` while recording what they change into `undone`; on failure raises `what` with the
  // store's message.
  void Replay(const std::vector<RegFileOp>& ops, ChangeRecorder& undone, const char* what);
  void Prune();
  void Changed();

  std::string folder_;
  RegistryBackend& backend_;
  std::unique_ptr<ChangeRecorder> recorder_;
  std::unique_ptr<ScopedRecorder> recording_;
  std::string title_;
  std::vector<std::string> records_;  // file names of ours, oldest first
  std::map<std::string, std::optional<HistoryRecord>> read_;  // what reading a file gave
  std::set<std::string> taken_back_;  // undone, but still in a folder that would not let them go
  std::vector<Redoable> redo_;
  std::vector<RegKeyRef> last_keys_;
  std::int64_t last_stamp_ = 0;  // the newest name in the folder
  std::unique_ptr<RecordWriter> writer_;  // made with the first record
  std::vector<std::string> pending_;  // titles handed to the writer and not collected yet
  std::vector<std::string> untold_titles_;  // changes without a record, to tell of
  std::string untold_why_;
  bool telling_ = false;
};

// The history the running program records into; null when it records nothing.
History* CurrentHistory();
class ScopedHistory {
 public:
  explicit ScopedHistory(History& history);
  ~ScopedHistory();
  ScopedHistory(const ScopedHistory&) = delete;
  ScopedHistory& operator=(const ScopedHistory&) = delete;

 private:
  History* previous_;
};

// Names the action a handler performs, for its whole run: "Create / Save" and the object it acts
// on. An action inside another (Replace runs Remove and Add) belongs to the outer one's record.
class RecordedAction {
 public:
  RecordedAction(const std::string& action, const std::string& object);
  ~RecordedAction();
  RecordedAction(const RecordedAction&) = delete;
  RecordedAction& operator=(const RecordedAction&) = delete;

 private:
  History* history_ = nullptr;
};

}  // namespace quillet
