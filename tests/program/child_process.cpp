#include "tests/program/child_process.h"
#include "tests/support/files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

extern char** environ;

namespace hero::test {

ChildProcess::ChildProcess(const ChildSetup& setup) : error_output_(setup.error_output) {
  // Everything the child needs is made before the fork: after it, only
  // async-signal-safe calls.
  std::map<std::string, std::string> variables;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    const auto eq = text.find('=');
    if (eq != std::string::npos) variables[text.substr(0, eq)] = text.substr(eq + 1);
  }
  for (const auto& [name, value] : setup.environment) {
    if (value) variables[name] = *value;
    else variables.erase(name);
  }
  std::vector<std::string> env_text;
  for (const auto& [name, value] : variables) env_text.push_back(std::string(name).append("=").append(value));
  std::vector<char*> env;
  for (std::string& text : env_text) env.push_back(text.data());
  env.push_back(nullptr);
  std::string program = setup.program.string();
  std::vector<std::string> argument_text{program};
  argument_text.insert(argument_text.end(), setup.arguments.begin(), setup.arguments.end());
  std::vector<char*> argv;
  for (std::string& text : argument_text) argv.push_back(text.data());
  argv.push_back(nullptr);
  const std::string folder = setup.working_folder.string();
  const std::string errors =
      setup.error_output.empty() ? std::string("/dev/null") : setup.error_output.string();

  pid_ = fork();
  if (pid_ == 0) {
    const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int null = open("/dev/null", O_RDWR);
    if (err >= 0) dup2(err, 2);
    if (null >= 0) {
      dup2(null, 0);
      dup2(null, 1);
    }
    if (chdir(folder.c_str()) != 0) _exit(126);
    execve(program.c_str(), argv.data(), env.data());
    _exit(127);
  }
}

ChildProcess::~ChildProcess() { kill_now(); }

void ChildProcess::record(int status) {
  reaped_ = true;
  if (WIFEXITED(status)) exit_status_ = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) end_signal_ = WTERMSIG(status);
}

bool ChildProcess::running() {
  if (pid_ <= 0 || reaped_) return false;
  int status = 0;
  const pid_t done = waitpid(pid_, &status, WNOHANG);
  if (done == pid_) {
    record(status);
    return false;
  }
  return done == 0;
}

bool ChildProcess::wait_for_exit(std::chrono::milliseconds limit) {
  return eventually(limit, [this] { return !running(); });
}

void ChildProcess::kill_now() {
  if (pid_ <= 0 || reaped_) return;
  ::kill(pid_, SIGKILL);
  int status = 0;
  if (waitpid(pid_, &status, 0) == pid_) record(status);
}

std::string ChildProcess::error_text() const { return read_file(error_output_); }

}  // namespace hero::test
