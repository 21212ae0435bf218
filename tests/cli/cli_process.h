#pragma once
// Runs the built deduzu-sprite as a process: arguments, bytes for its standard input, a time
// limit; gives back the exit status and everything it wrote to standard output and error.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

struct TProcessRun {
  int Status = -1;  // the exit status, or 128 + the signal that ended it
  bool TimedOut = false;
  std::string Out, Err;
};

inline TProcessRun RunProcess(const std::string& program, const std::vector<std::string>& args,
                              const std::string& input = {}, const std::string& directory = {},
                              std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  int in[2], out[2], err[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) std::abort();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    if (!directory.empty() && chdir(directory.c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  signal(SIGPIPE, SIG_IGN);
  fcntl(in[1], F_SETFL, O_NONBLOCK);
  TProcessRun run;
  std::size_t sent = 0;
  int writeFd = in[1];
  if (input.empty()) {
    close(writeFd);
    writeFd = -1;
  }
  const auto deadline = std::chrono::steady_clock::now() + limit;
  bool outOpen = true, errOpen = true;
  while (outOpen || errOpen) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      run.TimedOut = true;
      kill(pid, SIGKILL);
      break;
    }
    pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {writeFd, POLLOUT, 0}};
    if (poll(fds, writeFd >= 0 ? 3 : 2, int(left.count())) < 0) continue;
    char buffer[65536];
    for (int i = 0; i < 2; ++i) {
      bool& open = i == 0 ? outOpen : errOpen;
      if (!open || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got <= 0) open = false;
      else (i == 0 ? run.Out : run.Err).append(buffer, std::size_t(got));
    }
    if (writeFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
      const ssize_t put = write(writeFd, input.data() + sent, input.size() - sent);
      if (put > 0) sent += std::size_t(put);
      if (put < 0 || sent == input.size()) {
        close(writeFd);
        writeFd = -1;
      }
    }
  }
  if (writeFd >= 0) close(writeFd);
  close(out[0]);
  close(err[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

inline TProcessRun RunSprite(const std::vector<std::string>& args, const std::string& input = {},
                             const std::string& directory = {},
                             std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  return RunProcess(DEDUZU_SPRITE_PROGRAM, args, input, directory, limit);
}
