// What one unpack created on disk, so an unpack that fails half-way can take
// all of it back and leave the folder as it found it.
#pragma once

#include <filesystem>
#include <vector>

class UnpackTrail {
 public:
  /// Creates the folder and any missing parents, remembering those it made; false when it cannot.
  bool MakeFolders(const std::filesystem::path& folder);
  /// Remembers a file this unpack opened for writing.
  void AddFile(const std::filesystem::path& file);
  /// Removes every remembered file and folder, newest first.
  void Undo();

 private:
  std::vector<std::filesystem::path> folders_;
  std::vector<std::filesystem::path> files_;
};
