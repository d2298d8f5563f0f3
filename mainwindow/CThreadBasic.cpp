#include "mainwindow/CThreadBasic.h"

#include "device/Clock.h"

CThreadBasic::CThreadBasic(Clock& clock) : clock_(clock) {}

CThreadBasic::~CThreadBasic() { Stop(); }

int CThreadBasic::Start(LoopMode mode) {
  if (running_.load()) return 0;
  // A thread told to stop may still be finishing its last period; it must be
  // gone before the running flag is set again, or it would carry on.
  if (thread_.joinable()) thread_.join();
  mode_ = mode;
  periodMs_ = kPeriodMs;
  startTickMs_.store(clock_.NowMs());
  MarkFinished(false);
  running_.store(true);
  thread_ = std::thread([this] { Run(); });
  return 1;
}

void CThreadBasic::Stop() {
  RequestStop();
  if (thread_.joinable()) thread_.join();
}

void CThreadBasic::RequestStop() { running_.store(false); }

void CThreadBasic::WaitFinished() {
  std::unique_lock lock(finishedMutex_);
  finishedChanged_.wait(lock, [this] { return finished_; });
}

bool CThreadBasic::IsRunning() const { return running_.load(); }

std::uint64_t CThreadBasic::StartTickMs() const { return startTickMs_.load(); }

void CThreadBasic::Run() {
  // Linux sleeps already wake within a fraction of a millisecond, so there is
  // no system timer resolution to raise around the steps.
  while (running_.load()) {
    Step();
    if (mode_ == LoopMode::Once) {
      running_.store(false);
      break;
    }
    clock_.SleepMs(periodMs_);
  }
  MarkFinished(true);
}

void CThreadBasic::MarkFinished(bool finished) {
  {
    std::lock_guard lock(finishedMutex_);
    finished_ = finished;
  }
  finishedChanged_.notify_all();
}
