#include "registry/record_writer.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <condition_variable>
#include <mutex>
#endif

#include "registry/history_files.h"

namespace quillet {

// On Windows the system's slim lock and conditions: waking the writer through them costs an
// action a fraction of what the C++ library's do under Wine, where those go through the server.
struct RecordWriter::Shared {
#ifdef _WIN32
  SRWLOCK lock = SRWLOCK_INIT;
  CONDITION_VARIABLE handed = CONDITION_VARIABLE_INIT, hurried = CONDITION_VARIABLE_INIT,
                     idle = CONDITION_VARIABLE_INIT;
  void Lock() { AcquireSRWLockExclusive(&lock); }
  void Unlock() { ReleaseSRWLockExclusive(&lock); }
  void Sleep(CONDITION_VARIABLE& c) { SleepConditionVariableSRW(&c, &lock, INFINITE, 0); }
  void SleepFor(CONDITION_VARIABLE& c, std::chrono::milliseconds t) {
    SleepConditionVariableSRW(&c, &lock, static_cast<DWORD>(t.count()), 0);
  }
  static void Wake(CONDITION_VARIABLE& c) { WakeAllConditionVariable(&c); }
#else
  std::mutex lock;
  std::condition_variable handed, hurried, idle;
  void Lock() { lock.lock(); }
  void Unlock() { lock.unlock(); }
  void Sleep(std::condition_variable& c) {
    std::unique_lock<std::mutex> held(lock, std::adopt_lock);
    c.wait(held);
    held.release();
  }
  void SleepFor(std::condition_variable& c, std::chrono::milliseconds t) {
    std::unique_lock<std::mutex> held(lock, std::adopt_lock);
    c.wait_for(held, t);
    held.release();
  }
  static void Wake(std::condition_variable& c) { c.notify_all(); }
#endif

  std::deque<Job> jobs;  // the front one is being written until it leaves
  std::vector<Done> done;
  std::int64_t last_stamp = 0;
  bool hurry = false;  // someone waits for the records: no grace
  bool ending = false;
};

namespace {

template <class T>
class Held {
 public:
  explicit Held(T& shared) : shared_(shared) { shared_.Lock(); }
  ~Held() { shared_.Unlock(); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;

 private:
  T& shared_;
};

}  // namespace

RecordWriter::RecordWriter(std::string folder, std::function<void()> wake)
    : folder_(std::move(folder)), wake_(std::move(wake)), shared_(std::make_unique<Shared>()),
      thread_([this] { Run(); }) {}

RecordWriter::~RecordWriter() {
  {
    const Held held(*shared_);
    shared_->ending = true;
  }
  Shared::Wake(shared_->handed);
  Shared::Wake(shared_->hurried);
  thread_.join();
}

void RecordWriter::Hand(Job job) {
  {
    const Held held(*shared_);
    shared_->jobs.push_back(std::move(job));
  }
  Shared::Wake(shared_->handed);
}

void RecordWriter::Wait() {
  {
    const Held held(*shared_);
    if (shared_->jobs.empty()) return;
    shared_->hurry = true;
  }
  Shared::Wake(shared_->hurried);
  const Held held(*shared_);
  while (!shared_->jobs.empty()) shared_->Sleep(shared_->idle);
}

std::vector<RecordWriter::Done> RecordWriter::Take() {
  const Held held(*shared_);
  return std::exchange(shared_->done, {});
}

void RecordWriter::Follow(std::int64_t stamp) {
  const Held held(*shared_);
  shared_->last_stamp = std::max(shared_->last_stamp, stamp);
}

void RecordWriter::Run() {
  bool rested = true;
  for (;;) {
    Job job;
    {
      const Held held(*shared_);
      while (!shared_->ending && shared_->jobs.empty()) shared_->Sleep(shared_->handed);
      if (shared_->jobs.empty()) return;
      if (rested) {
        // The window paints what the action changed first: the file's requests would slow that
        // down where one server answers both (Wine), and the record is not needed yet.
        const auto until = std::chrono::steady_clock::now() + kGrace;
        for (auto now = std::chrono::steady_clock::now(); !shared_->hurry && !shared_->ending && now < until;
             now = std::chrono::steady_clock::now())
          shared_->SleepFor(shared_->hurried, std::chrono::ceil<std::chrono::milliseconds>(until - now));
      }
      job = shared_->jobs.front();
    }
    Done done;
    try {
      done = Write(job);
    } catch (...) {
      done = Done{job.title, {}, std::nullopt, "Out of memory."};
    }
    {
      const Held held(*shared_);
      shared_->jobs.pop_front();
      shared_->done.push_back(std::move(done));
      rested = shared_->jobs.empty();
      if (rested) shared_->hurry = false;
    }
    Shared::Wake(shared_->idle);
    if (wake_) wake_();
  }
}

RecordWriter::Done RecordWriter::Write(const Job& job) {
  Done done{job.title, {}, std::nullopt, {}};
  std::string error;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::int64_t stamp;
    {
      // Later than every record there is, so that the names sort in the order the changes came.
      const Held held(*shared_);
      shared_->last_stamp = stamp = std::max(job.utc_ms, shared_->last_stamp + 1);
    }
    const std::string text = FormatHistoryRecord(job.title, job.lines, stamp);
    // Our own reader must take the record whole, or it could never be taken back.
    done.record = ReadHistoryRecord(text);
    if (!done.record) {
      done.why = "A key or value name it touched cannot be written to a .reg file.";
      return done;
    }
    const std::string name = HistoryFileName(stamp, job.title);
    NewFileResult result = WriteNewFile(JoinPath(folder_, name), text, &error);
    if (result == NewFileResult::Failed && MakeFolders(folder_))
      result = WriteNewFile(JoinPath(folder_, name), text, &error);
    if (result == NewFileResult::Exists) continue;  // another program's record of the same moment
    if (result == NewFileResult::Failed) break;
    done.name = name;
    return done;
  }
  done.record.reset();
  done.why = error.empty() ? "No free file name." : error;
  return done;
}

}  // namespace quillet
