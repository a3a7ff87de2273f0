// Pictures decoded on a second thread while a window loads them: the loading
// screens go on showing and reading files while the worker inflates the PNG
// files, so start-up takes about the longer of the two rather than their sum.
// A job is handed back on the engine's thread only, when the texture is first
// needed or a frame finds it done; nothing else of the engine is touched by
// the worker.
#include <SDL.h>
#include <SDL_image.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "engine/EngineCore.h"

namespace engine {

struct DecodeJob {
  const std::string* png = nullptr;  // the texture's kept file; not changed while queued
  int width = 0, height = 0;
  std::vector<uint32_t> texels;
  std::string problem;
  bool done = false;
};

namespace {

std::mutex mutex;
std::condition_variable changed;
std::deque<std::shared_ptr<DecodeJob>> queue;
std::thread worker;
bool stopping = false;
// Finished jobs not yet handed back: the worker keeps at most two ahead of the
// engine's thread, so decoded pictures do not pile up in memory; it goes on
// regardless when that thread waits for a job.
constexpr int kAhead = 2;
int undelivered = 0;
int waiting = 0;

void Work() {
  std::unique_lock<std::mutex> lock(mutex);
  for (;;) {
    changed.wait(
        lock, [] { return stopping || (!queue.empty() && (undelivered < kAhead || waiting > 0)); });
    if (queue.empty()) return;
    const std::shared_ptr<DecodeJob> job = queue.front();
    lock.unlock();
    std::vector<uint32_t> texels;
    const std::string problem = DecodePng(*job->png, job->width, job->height, &texels);
    lock.lock();
    job->texels = std::move(texels);
    job->problem = problem;
    job->done = true;
    ++undelivered;
    queue.pop_front();
    changed.notify_all();
  }
}

// A program that ends without shutting the engine down still ends the worker.
struct JoinAtExit {
  ~JoinAtExit();
} joinAtExit;

}  // namespace

void QueueDecode(Texture& t) {
  if (t.job || t.encoded.empty() || !t.texels.empty()) return;
  t.job = std::make_shared<DecodeJob>();
  t.job->png = &t.encoded;
  t.job->width = t.width;
  t.job->height = t.height;
  std::lock_guard<std::mutex> lock(mutex);
  if (!worker.joinable()) {
    stopping = false;
    worker = std::thread(Work);
  }
  queue.push_back(t.job);
  changed.notify_all();
}

bool TakeDecoded(Texture& t, bool wait, std::string* problem) {
  if (!t.job) return false;
  std::unique_lock<std::mutex> lock(mutex);
  if (!t.job->done && !wait) return false;
  ++waiting;
  changed.notify_all();
  changed.wait(lock, [&t] { return t.job->done; });
  --waiting;
  --undelivered;
  changed.notify_all();
  t.texels = std::move(t.job->texels);
  *problem = t.job->problem;
  t.job.reset();
  return true;
}

void StopDecoding() {
  {
    std::lock_guard<std::mutex> lock(mutex);
    stopping = true;
    changed.notify_all();
  }
  if (worker.joinable()) worker.join();
  undelivered = 0;  // the jobs left go with their textures
}

JoinAtExit::~JoinAtExit() { StopDecoding(); }

}  // namespace engine
