#include "mainwindow/PresenceJobQueue.h"

#include "mainwindow/Worker.h"

PresenceJobQueue::PresenceJobQueue(Worker& worker) : worker_(worker) {}

// A keyboard arrives as several interfaces at once, each with its notice; it
// needs its lighting once, after the rescan of the last of them has found it.
void PresenceJobQueue::DeviceArrived() {
  worker_.QueueJob(JobCode::JOB_DEVICE_ARRIVED);
  worker_.QueueJobLast(JobCode::JOB_APPLY_LIGHTING);
}

void PresenceJobQueue::DeviceRemoved() { worker_.QueueJob(JobCode::JOB_DEVICE_REMOVED); }
