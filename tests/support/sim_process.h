// nr6120-sim as a process of the test: started on an EEPROM file in a folder, it prints the
// pseudo-terminal it plays the radio on; stopping it makes it save the EEPROM.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "support/scratch_dir.h"

namespace tq530::testing {

class SimProcess {
  public:
    ~SimProcess() { Stop(); }

    // Runs the simulator on dir/radio.hex with options; returns its device, "" when it
    // printed none.
    std::string Start(const std::string& dir, const std::string& options = "") {
        const std::string out = dir + "/sim.out";
        log_ = dir + "/sim.log";
        std::remove(out.c_str());  // an earlier run's device is no answer
        pid_ = fork();
        if (pid_ == 0) {
            const std::string cmd = "exec " + std::string(TQ530_BIN_DIR) + "/nr6120-sim --image '" +
                                    dir + "/radio.hex' --verbose " + options + " >" + out + " 2>" +
                                    log_;
            execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 300; ++i) {
            std::string device = ReadFile(out);
            if (!device.empty() && device.back() == '\n') {
                device.pop_back();
                return device;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return {};
    }
    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }
    // What the simulator logged: every frame and reply.
    std::string Log() const { return ReadFile(log_); }

  private:
    pid_t pid_ = -1;
    std::string log_;
};

}  // namespace tq530::testing
