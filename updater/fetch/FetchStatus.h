// What the program and its fetch helper agree on: the helper's file name and
// one exit status per transfer result.
#pragma once

#include <string>

#include "updater/HttpClient.h"

/// The helper's file name, beside the program's executable.
inline constexpr const char* kFetchHelperName = "pelmora-keyboard-t40-fetch";

/// Where a download is written until it is complete; the program removes it when it ends the helper.
inline std::string FetchPartialPath(const std::string& path) { return path + ".part"; }

/// The helper's exit status for a result.
inline int FetchExitStatus(TransferResult result) {
  switch (result) {
    case TransferResult::Complete: return 0;
    case TransferResult::Failed: return 1;
    case TransferResult::NoConnection: return 2;
    case TransferResult::Stopped: return 3;
  }
  return 1;
}

/// The result a helper's exit status stands for; 127 is the status of a helper that could not be executed.
inline TransferResult FetchResultOf(int status) {
  switch (status) {
    case 0: return TransferResult::Complete;
    case 2:
    case 127: return TransferResult::NoConnection;
    case 3: return TransferResult::Stopped;
    default: return TransferResult::Failed;
  }
}
