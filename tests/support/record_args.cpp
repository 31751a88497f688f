// A program for launch tests: appends its arguments, one per line, to the
// file named by RECORD_ARGS_TO, then a line "--".
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const char* path = std::getenv("RECORD_ARGS_TO");
  if (path == nullptr) return 2;
  std::FILE* out = std::fopen(path, "a");
  if (out == nullptr) return 3;
  for (int i = 1; i < argc; ++i) std::fprintf(out, "%s\n", argv[i]);
  std::fprintf(out, "--\n");
  std::fclose(out);
  return 0;
}
