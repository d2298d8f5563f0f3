#include "mainwindow/PresenceJobQueue.h"

#include "mainwindow/Worker.h"

PresenceJobQueue::PresenceJobQueue(Worker& worker) : worker_(worker) {}

void PresenceJobQueue::DeviceArrived() {
  worker_.QueueJob(JobCode::JOB_DEVICE_ARRIVED);
  worker_.QueueJob(JobCode::JOB_APPLY_LIGHTING);
}

void PresenceJobQueue::DeviceRemoved() { worker_.QueueJob(JobCode::JOB_DEVICE_REMOVED); }
