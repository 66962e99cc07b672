#pragma once
// Writes the history's records on a thread of its own, so that an action never waits for the disk:
// the action hands over what its record says and goes on. Records are written one at a time in
// the order they were handed over, each under a name later than every one before it, a short
// grace after the first of them unless someone waits for them.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "registry/history_record.h"

namespace quillet {

class RecordWriter {
 public:
  static constexpr std::chrono::milliseconds kGrace{50};

  struct Job {
    std::string title;
    std::string lines;  // the record's key and value lines
    std::int64_t utc_ms = 0;  // when the action ended
  };
  struct Done {
    std::string title;
    std::string name;  // the file written; empty when none was
    std::optional<HistoryRecord> record;  // what the file holds, read back as an undo reads it
    std::string why;  // why there is no file
  };

  // `wake` is called on the writer's thread after each record it is done with.
  RecordWriter(std::string folder, std::function<void()> wake);
  // Writes what is still handed over, then ends the thread.
  ~RecordWriter();
  RecordWriter(const RecordWriter&) = delete;
  RecordWriter& operator=(const RecordWriter&) = delete;

  void Hand(Job job);
  // Returns once every record handed over is written or known lost.
  void Wait();
  // What the writer is done with since the last call, in the order handed over.
  std::vector<Done> Take();
  // Names from now on sort after `stamp`, the newest one in the folder.
  void Follow(std::int64_t stamp);

 private:
  struct Shared;  // what both threads use, under its lock
  void Run();
  Done Write(const Job& job);

  const std::string folder_;
  const std::function<void()> wake_;
  const std::unique_ptr<Shared> shared_;
  std::thread thread_;  // last: it starts once the rest is ready
};

}  // namespace quillet
