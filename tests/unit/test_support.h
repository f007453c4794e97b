#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// An argument vector as the runtime hands it to main: the program's name,
// the arguments and a null entry.
class ArgumentVector {
 public:
  explicit ArgumentVector(std::vector<std::string> arguments);
  ArgumentVector(const ArgumentVector&) = delete;
  ArgumentVector& operator=(const ArgumentVector&) = delete;

  int argc() const { return static_cast<int>(pointers_.size() - 1); }
  const char* const* argv() const { return pointers_.data(); }

 private:
  std::vector<std::string> strings_;
  std::vector<const char*> pointers_;
};

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of name inside the folder, as the program would be given it.
  std::string file(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// Writes bytes to path exactly as given (binary).
void writeFile(const std::string& path, const std::string& bytes);
// The bytes of path, or an empty text when it cannot be read.
std::string readFile(const std::string& path);

// Everything that action writes to standard output, byte for byte as it
// leaves the C runtime (so with CR LF line ends on Windows).
std::string captureStdout(const std::function<void()>& action);

// The platform's line end on a text-mode stream, and text with each line
// feed replaced by it.
extern const char kLineEnd[];
std::string withLineEnds(const std::string& text);
