/* Writes a stand-in for /proc/stat with two processors whose counters advance every 100 ms.
 *   stat_feeder FILE steady    both processors at a steady few percent: the readings stay put
 *   stat_feeder FILE changing  triangle waves of 13 s and 7 s: the readings change every 500 ms
 * The file is rewritten in place with numbers of fixed width, so a bind mount over /proc/stat
 * keeps seeing it. Runs until killed. */
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static int triangle(long step, long period) { /* 0..100..0 over period steps */
  long s = step % period, half = period / 2;
  return (int)(s < half ? 100 * s / half : 100 * (period - s) / (period - half));
}

int main(int argc, char **argv) {
  if (argc != 3 || (strcmp(argv[2], "steady") != 0 && strcmp(argv[2], "changing") != 0)) {
    fprintf(stderr, "usage: %s FILE steady|changing\n", argv[0]);
    return 2;
  }
  const int changing = strcmp(argv[2], "changing") == 0;
  unsigned long long busy[2] = {0, 0}, idle[2] = {0, 0};
  char text[512];
  struct timespec next;
  clock_gettime(CLOCK_MONOTONIC, &next);
  for (long step = 0;; ++step) {
    int p[2] = {3, 5};
    if (changing) { p[0] = triangle(step, 130); p[1] = triangle(step + 20, 70); }
    for (int i = 0; i < 2; ++i) { busy[i] += (unsigned)p[i]; idle[i] += 100u - (unsigned)p[i]; }
    int n = snprintf(text, sizeof text,
                     "cpu  %012llu 0 0 %012llu 0 0 0 0 0 0\n"
                     "cpu0 %012llu 0 0 %012llu 0 0 0 0 0 0\n"
                     "cpu1 %012llu 0 0 %012llu 0 0 0 0 0 0\n"
                     "intr 0\nctxt 0\nbtime 0\nprocesses 1\nprocs_running 1\nprocs_blocked 0\n",
                     busy[0] + busy[1], idle[0] + idle[1], busy[0], idle[0], busy[1], idle[1]);
    int fd = open(argv[1], O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) { perror(argv[1]); return 1; }
    if (write(fd, text, (size_t)n) != n) { perror(argv[1]); return 1; }
    close(fd);
    next.tv_nsec += 100000000L;
    if (next.tv_nsec >= 1000000000L) { next.tv_nsec -= 1000000000L; next.tv_sec += 1; }
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, NULL) != 0) {}
  }
}
