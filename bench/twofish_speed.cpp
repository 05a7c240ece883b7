// Twofish block encryption, ours against nettle's, in one native process: 16 MB of blocks per
// round, the two sides in turns, the fastest round of each counting. Time is the thread's own
// processor time, so that other load on a shared machine does not decide the ratio.
#include "crypto/twofish.h"

#include <nettle/twofish.h>
#include <time.h>

#include <cstdio>
#include <vector>

namespace {

double ThreadSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec * 1e-9;
}

template <class Work>
double Seconds(Work&& work) {
  const double start = ThreadSeconds();
  work();
  return ThreadSeconds() - start;
}

}  // namespace

int main() {
  constexpr size_t kBytes = 16 << 20;
  std::vector<std::uint8_t> in(kBytes), out(kBytes);
  for (size_t i = 0; i < kBytes; ++i) in[i] = static_cast<std::uint8_t>(i * 131);
  const std::uint8_t key[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0};
  const docket::crypto::Twofish ours(key);
  twofish_ctx theirs;
  twofish_set_key(&theirs, sizeof key, key);

  double bestOurs = 1e9, bestTheirs = 1e9, bestOursDecrypt = 1e9;
  for (int round = 0; round < 15; ++round) {
    bestOurs = std::min(bestOurs, Seconds([&] { ours.EncryptBlocks(in.data(), kBytes / 16, out.data()); }));
    bestTheirs = std::min(bestTheirs, Seconds([&] { twofish_encrypt(&theirs, kBytes, out.data(), in.data()); }));
    bestOursDecrypt = std::min(bestOursDecrypt, Seconds([&] { ours.DecryptBlocks(in.data(), kBytes / 16, out.data()); }));
  }
  const double mb = kBytes / 1e6;
  std::printf("%-34s %10s\n", "Twofish, 128-bit key", "MB/s");
  std::printf("%-34s %10.0f\n", "nettle encrypt", mb / bestTheirs);
  std::printf("%-34s %10.0f\n", "ours encrypt", mb / bestOurs);
  std::printf("%-34s %10.0f\n", "ours decrypt", mb / bestOursDecrypt);
  std::printf("%-34s %10.2f\n", "ours/nettle (encrypt)", bestTheirs / bestOurs);
  return 0;
}
