// Turns device notices into worker jobs. A keyboard that comes back (replug,
// resume) has often forgotten its lighting, so its arrival also queues the
// current lighting again; the worker drops that job when no keyboard answers.
#pragma once

#include "device/DevicePresence.h"

class Worker;

class PresenceJobQueue : public PresenceJobs {
 public:
  /// Queues on this worker.
  explicit PresenceJobQueue(Worker& worker);
  /// Queues a rescan, then the current lighting (one waiting from before moves behind the rescan).
  void DeviceArrived() override;
  /// Queues a rescan.
  void DeviceRemoved() override;

 private:
  Worker& worker_;
};
