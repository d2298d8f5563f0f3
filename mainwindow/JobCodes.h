// Codes of the jobs the worker runs. The values are fixed; the gaps carry no job.
#pragma once

#include <cstdint>

enum class JobCode : std::uint32_t {
  JOB_FIRST_SCAN = 1,         ///< first rescan, refresh and visualiser start-up; later ones do nothing
  JOB_DEVICE_ARRIVED = 2,     ///< rescan and refresh after an arrival notice
  JOB_DEVICE_REMOVED = 3,     ///< rescan and refresh after a removal notice
  JOB_LOAD_PAGES = 5,         ///< load the pages named by the page-reload mask
  JOB_APPLY_KEYS = 6,         ///< write the current profile's keys and macros into the keyboard
  JOB_APPLY_LIGHTING = 7,     ///< send the current lighting mode and its settings
  JOB_APPLY_CUSTOM_LIGHT = 8,  ///< send the per-key custom colours
  JOB_FACTORY_RESET = 10,     ///< reset the keyboard and reload the pages
  JOB_CHECK_SOFTWARE = 12,    ///< software update check
  JOB_CHECK_FIRMWARE = 13,    ///< firmware version check
  JOB_INSTALL_SOFTWARE = 14,  ///< download and start the software installer
  JOB_UPDATE_FIRMWARE = 15,   ///< download and start the firmware update tool
};
