#include <cstdio>

int main(int argc, char** argv) {
  std::puts("qv");
  return 0;
}
