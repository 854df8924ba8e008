#include "cli/fleet.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <set>

#include "app/backups.h"
#include "app/data_set.h"
#include "app/system_clock_link_host.h"
#include "app/transfer_job.h"
#include "cli/platform_runtime.h"
#include "core/platform_file.h"

namespace tq530::cli {

namespace {

// What the ports' threads share: the terminal, its lock and Ctrl+C.
struct FleetShared {
    Context& Ctx;
    std::mutex Output;
    std::mutex Backups;
    InterruptCounter Interrupts;
    bool Terminal = IsTerminal(StdStream::Error);
};

// One port's host: its lines start with the port, so that the ports' texts can interleave
// and still be read; progress is a line at each tenth, never a bar.
class FleetLinkHost : public SystemClockLinkHost {
  public:
    FleetLinkHost(FleetShared& shared, Workspace& work, std::string port)
        : shared_(shared),
          work_(work),
          port_(std::move(port)),
          seen_(shared.Interrupts.Presses()) {}

    void Yield() override {
        if (const int presses = shared_.Interrupts.Presses(); presses != seen_) {
            seen_ = presses;
            work_.CancelRequested = true;
        }
    }
    void ShowMonitor(const std::string& text) override {
        if (work_.DiagnosticMode && !text.empty()) {
            Say("monitor: " + text);
        }
    }
    void SetProgress(int percent) override {
        const int tenth = std::min(percent, 100) / 10 * 10;
        if (!shared_.Terminal || tenth <= shown_) {
            return;
        }
        shown_ = tenth;
        Say(std::to_string(tenth) + "%");
    }
    void ShowMessage(const std::string& text, const std::string& title, MsgIcon icon) override {
        const std::lock_guard<std::mutex> lock(shared_.Output);
        shared_.Ctx.Host.ShowMessage(text, Title(title), icon);
    }
    Answer Ask(const std::string& text, const std::string& title, MsgIcon icon, Buttons buttons,
               Answer defaultButton) override {
        const std::lock_guard<std::mutex> lock(shared_.Output);
        if (shared_.Ctx.Host.AssumeYes && buttons == Buttons::RetryCancel) {
            const Answer answer =
                busyLimit_.Next(text) == Answer::Ok ? Answer::Retry : Answer::Cancel;
            std::fprintf(
                stderr, "%s: %s [%s]\n", Title(title).c_str(), text.c_str(),
                answer == Answer::Retry ? "answered by --yes" : "cancelled: asked too often");
            return answer;
        }
        const Answer answer =
            shared_.Ctx.Host.Ask(text, Title(title), icon, buttons, defaultButton);
        seen_ = shared_.Interrupts.Presses();
        return answer;
    }
    Answer AskResync(const std::string& text, const std::string& title,
                     const std::string& frame) override {
        if (!shared_.Ctx.Host.AssumeYes) {
            return Ask(text, title, MsgIcon::Question, Buttons::OkCancel, Answer::Ok);
        }
        const std::lock_guard<std::mutex> lock(shared_.Output);
        const Answer answer = limit_.Next(frame);
        std::fprintf(stderr, "%s: %s [%s]\n", Title(title).c_str(), text.c_str(),
                     answer == Answer::Ok ? "answered by --yes" : "cancelled: asked too often");
        return answer;
    }

  private:
    std::string Title(const std::string& title) const {
        return title.empty() ? port_ : port_ + ": " + title;
    }
    void Say(const std::string& text) {
        const std::lock_guard<std::mutex> lock(shared_.Output);
        std::fprintf(stderr, "%s: %s\n", port_.c_str(), text.c_str());
        std::fflush(stderr);
    }

    FleetShared& shared_;
    Workspace& work_;
    std::string port_;
    int seen_;
    int shown_ = 0;
    ResyncAnswerLimit limit_;
    ResyncAnswerLimit busyLimit_;
};

struct PortRun {
    std::string Port;
    std::string Device;
    Workspace Base;
    std::unique_ptr<TransferJob> Job;
    double Seconds = 0;
    std::string Result;
};

void RunPort(FleetShared& shared, PortRun& run) {
    const auto start = std::chrono::steady_clock::now();
    const std::unique_ptr<SerialLink> serial = MakeSerialLink(run.Device);
    FleetLinkHost host(shared, run.Job->Work(), run.Port);
    run.Job->Run(*serial, host, BackupDir());
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The texts RunTransfer prints after one transfer, each after the port.
std::string Conclude(PortRun& run) {
    run.Job->CommitTo(run.Base);
    const TransferJobResult& job = run.Job->Result();
    const std::string title = run.Port + ": " + TransferTitle(run.Job->Mode());
    if (!job.BackupNotice.empty()) {
        std::fprintf(stderr, "%s: %s\n", run.Port.c_str(), job.BackupNotice.c_str());
    }
    const bool cancelled = job.Result == Outcome::Cancelled && !job.PortFailed;
    if (cancelled) {
        std::fprintf(stderr, "%s: cancelled\n", title.c_str());
    } else if (job.Result == Outcome::Failed && !run.Base.CommError) {
        std::fprintf(stderr, "%s: not completed\n", title.c_str());
    }
    if (!job.Reason.empty()) {
        std::fprintf(stderr, "%s: %s\n", run.Port.c_str(), job.Reason.c_str());
    }
    return job.Result == Outcome::Ok ? "ok" : cancelled ? "cancelled" : "failed";
}

void PrintSummary(const std::vector<std::unique_ptr<PortRun>>& runs, bool json) {
    std::string text;
    char line[512];
    if (!json) {
        std::snprintf(line, sizeof line, "%-20s  %-9s  %-10s  %7s\n", "Port", "User MMSI", "Result",
                      "Seconds");
        text += line;
    }
    for (size_t i = 0; i < runs.size(); ++i) {
        const PortRun& run = *runs[i];
        const std::string mmsi = run.Base.Model.DscBasic.UserMmsi;
        if (json) {
            std::snprintf(line, sizeof line,
                          "%s\n  {\"port\": %s, \"user_mmsi\": %s, "
                          "\"result\": \"%s\", \"seconds\": %.1f}",
                          i == 0 ? "[" : ",", JsonString(run.Port).c_str(),
                          JsonString(mmsi).c_str(), run.Result.c_str(), run.Seconds);
        } else {
            std::snprintf(line, sizeof line, "%-20s  %-9s  %-10s  %7.1f\n", run.Port.c_str(),
                          mmsi.empty() ? "-" : mmsi.c_str(), run.Result.c_str(), run.Seconds);
        }
        text += line;
    }
    if (json) {
        text += runs.empty() ? "[]\n" : "\n]\n";
    }
    PrintToStdout(text);
}

// Every port once, each a device or a COM number, and each read to a file of its own.
bool PreparePorts(Context& ctx, const FleetRequest& request,
                  std::vector<std::unique_ptr<PortRun>>& runs) {
    std::set<std::string> seen;
    for (const std::string& port : request.Ports) {
        auto run = std::make_unique<PortRun>();
        run->Port = port;
        run->Base = ctx.Ws;
        if (!ParsePort(port, run->Base.ComNum, run->Device)) {
            std::fprintf(stderr, "--port: not a device or COM number: %s\n", port.c_str());
            return false;
        }
        const std::string key = request.Mode == TransferMode::Read
                                    ? PortOutName(request.ReadOut, port)
                                    : run->Device + "#" + std::to_string(run->Base.ComNum);
        if (!seen.insert(key).second) {
            std::fprintf(stderr, "--port: %s is given twice\n", port.c_str());
            return false;
        }
        runs.push_back(std::move(run));
    }
    return true;
}

}  // namespace

bool ParsePort(const std::string& port, int16_t& comNum, std::string& device) {
    if (port.empty()) {
        return false;
    }
    std::string digits = port;
    if (digits.size() > 3 &&
        (digits.compare(0, 3, "COM") == 0 || digits.compare(0, 3, "com") == 0)) {
        digits = digits.substr(3);
    }
    const bool number = !digits.empty() && digits.size() <= 3 &&
                        digits.find_first_not_of("0123456789") == std::string::npos;
    if (!number) {
        device = port;
        return true;
    }
    const int n = std::stoi(digits);
    if (n < 1) {
        return false;
    }
    comNum = static_cast<int16_t>(n);
    device.clear();
    return true;
}

std::string PortOutName(const std::string& out, const std::string& port) {
    int16_t comNum = 0;
    std::string device;
    std::string base = "port";
    if (ParsePort(port, comNum, device)) {
        const std::filesystem::path name = std::filesystem::path(device).filename();
        base = device.empty() ? "COM" + std::to_string(comNum) : name.string();
    }
    const std::filesystem::path path(out);
    return (path.parent_path() / (path.stem().string() + "-" + base + path.extension().string()))
        .string();
}

int RunFleet(Context& ctx, const FleetRequest& request) {
    std::vector<std::unique_ptr<PortRun>> runs;
    if (!PreparePorts(ctx, request, runs)) {
        return kExitUsage;
    }
    const SerialRuntime runtime;
    FleetShared shared{ctx, {}, {}, {}, IsTerminal(StdStream::Error)};
    std::vector<std::function<void()>> jobs;
    for (const auto& run : runs) {
        run->Job = std::make_unique<TransferJob>(run->Base, request.Mode);
        run->Job->SetVerify(request.Verify);
        run->Job->SetBackupLock(&shared.Backups);
        PortRun* one = run.get();
        jobs.emplace_back([&shared, one] { RunPort(shared, *one); });
    }
    runtime.RunAtOnce(jobs);
    bool allOk = true;
    for (const auto& run : runs) {
        run->Result = Conclude(*run);
        if (run->Result == "ok" && request.Mode == TransferMode::Read &&
            SaveDataSet(run->Base, ctx.Host, PortOutName(request.ReadOut, run->Port)) !=
                Outcome::Ok) {
            run->Result = "not saved";
        }
        allOk = allOk && run->Result == "ok";
    }
    PrintSummary(runs, request.Json);
    return allOk ? kExitOk : kExitFailed;
}

}  // namespace tq530::cli
