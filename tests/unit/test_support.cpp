#include "test_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <utility>

#ifdef _WIN32
const char kLineEnd[] = "\r\n";
#else
const char kLineEnd[] = "\n";
#endif

ArgumentVector::ArgumentVector(std::vector<std::string> arguments)
    : strings_(std::move(arguments)) {
  strings_.insert(strings_.begin(), "Quorvantel.exe");
  for (const std::string& text : strings_) {
    pointers_.push_back(text.c_str());
  }
  pointers_.push_back(nullptr);
}

TempDir::TempDir() {
  std::random_device seed;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    path_ = base / ("quorvantel-test-" + std::to_string(seed()));
    if (std::filesystem::create_directory(path_)) {
      break;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::file(const std::string& name) const {
  return (path_ / name).string();
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return;
  }
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::string readFile(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return bytes;
  }
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.append(buffer, got);
  }
  std::fclose(file);
  return bytes;
}

std::string captureStdout(const std::function<void()>& action) {
  const TempDir dir;
  const std::string target = dir.file("stdout");
  std::fflush(stdout);
  const int saved = dup(fileno(stdout));
  const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  dup2(fd, fileno(stdout));
  close(fd);
  action();
  std::fflush(stdout);
  dup2(saved, fileno(stdout));
  close(saved);
  return readFile(target);
}

std::string withLineEnds(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') {
      out += kLineEnd;
    } else {
      out.push_back(c);
    }
  }
  return out;
}
