// Radio transfers of the command line: read, program, clear.
#include <cstdio>
#include <iostream>
#include <memory>

#include "app/backups.h"
#include "app/data_set.h"
#include "app/system_clock_link_host.h"
#include "app/transfer_job.h"
#include "cli/cli.h"
#include "cli/fleet.h"
#include "cli/platform_runtime.h"
#include "core/file_io.h"
#include "core/platform_file.h"

namespace tq530::cli {

namespace {

// The terminal as the radio link's host: messages and questions go through TerminalHost,
// progress is a bar on a terminal, Ctrl+C is the Cancel button.
class CliLinkHost : public SystemClockLinkHost {
  public:
    // work: the workspace the transfer runs on, whose Cancel the host presses.
    CliLinkHost(Context& ctx, Workspace& work)
        : ctx_(ctx),
          work_(work),
          bar_(IsTerminal(StdStream::Error)),
          seen_(interrupts_.Presses()) {}
    ~CliLinkHost() override { EndBar(); }

    // Each Ctrl+C presses Cancel once, as a click on the button would.
    void Yield() override {
        if (const int presses = interrupts_.Presses(); presses != seen_) {
            seen_ = presses;
            work_.CancelRequested = true;
        }
    }
    void ShowMonitor(const std::string& text) override {
        if (work_.DiagnosticMode && !text.empty()) {
            EndBar();
            std::fprintf(stderr, "monitor: %s\n", text.c_str());
        }
    }
    void SetProgress(int percent) override {
        if (!bar_)
            return;
        percent = std::min(percent, 100);
        if (percent == shown_ || (percent == 0 && !barOnScreen_))
            return;
        // The reset to 0 after a transfer ends the bar instead of drawing an empty one.
        if (percent == 0) {
            Finish();
            return;
        }
        shown_ = percent;
        constexpr int kWidth = 40;
        const int filled = percent * kWidth / 100;
        std::fprintf(stderr, "\r[%s%s] %3d%%",
                     std::string(static_cast<size_t>(filled), '#').c_str(),
                     std::string(static_cast<size_t>(kWidth - filled), ' ').c_str(), percent);
        std::fflush(stderr);
        barOnScreen_ = true;
    }
    void ShowMessage(const std::string& text, const std::string& title, MsgIcon icon) override {
        EndBar();
        ctx_.Host.ShowMessage(text, title, icon);
    }
    Answer Ask(const std::string& text, const std::string& title, MsgIcon icon, Buttons buttons,
               Answer defaultButton) override {
        EndBar();
        if (ctx_.Host.AssumeYes && buttons == Buttons::RetryCancel) {
            // "Radio is busy!!": --yes retries as often as the re-synchronisation question,
            // so that a radio that stays busy cannot hold the command for ever.
            const Answer answer =
                busyLimit_.Next(text) == Answer::Ok ? Answer::Retry : Answer::Cancel;
            std::fprintf(
                stderr, "%s: %s [%s]\n", title.c_str(), text.c_str(),
                answer == Answer::Retry ? "answered by --yes" : "cancelled: asked too often");
            return answer;
        }
        const Answer answer = ctx_.Host.Ask(text, title, icon, buttons, defaultButton);
        seen_ = interrupts_.Presses();  // a Ctrl+C that ended the question is spent on it
        return answer;
    }
    Answer AskResync(const std::string& text, const std::string& title,
                     const std::string& frame) override {
        if (!ctx_.Host.AssumeYes) {
            return Ask(text, title, MsgIcon::Question, Buttons::OkCancel, Answer::Ok);
        }
        EndBar();
        const Answer answer = limit_.Next(frame);
        std::fprintf(stderr, "%s: %s [%s]\n", title.c_str(), text.c_str(),
                     answer == Answer::Ok ? "answered by --yes" : "cancelled: asked too often");
        return answer;
    }

    // Ends a bar on screen so that the next text starts on its own line.
    void Finish() { EndBar(); }

  private:
    void EndBar() {
        if (barOnScreen_) {
            std::fprintf(stderr, "\n");
            barOnScreen_ = false;
            shown_ = -1;
        }
    }

    Context& ctx_;
    Workspace& work_;
    bool bar_;
    bool barOnScreen_ = false;
    int shown_ = -1;
    InterruptCounter interrupts_;
    int seen_;
    ResyncAnswerLimit limit_;
    ResyncAnswerLimit busyLimit_;
};

bool ApplyPort(Context& ctx, const std::string& port, std::string& device) {
    return ParsePort(port, ctx.Ws.ComNum, device);
}

int RunTransfer(Context& ctx, const std::string& port, TransferMode mode, bool verify = false) {
    std::string device;
    if (!ApplyPort(ctx, port, device)) {
        std::fprintf(stderr, "--port: not a device or COM number: %s\n", port.c_str());
        return kExitUsage;
    }
    const SerialRuntime runtime;
    const std::unique_ptr<SerialLink> serial = MakeSerialLink(device);
    TransferJob transfer(ctx.Ws, mode);
    transfer.SetVerify(verify);
    CliLinkHost host(ctx, transfer.Work());
    const TransferJobResult job = transfer.Run(*serial, host, BackupDir());
    transfer.CommitTo(ctx.Ws);
    host.Finish();
    const std::string title = TransferTitle(mode);
    if (!job.BackupNotice.empty()) {
        std::fprintf(stderr, "%s\n", job.BackupNotice.c_str());
    }
    // A port that gave up under the transfer is no Cancel: its reason line says what it is.
    if (job.Result == Outcome::Cancelled && !job.PortFailed) {
        std::fprintf(stderr, "%s: cancelled\n", title.c_str());
    } else if (job.Result == Outcome::Failed && !ctx.Ws.CommError) {
        // A failed connection says nothing of its own outside diagnostic mode.
        std::fprintf(stderr, "%s: not completed\n", title.c_str());
    }
    if (!job.Reason.empty()) {
        ctx.Host.ShowReason(job.Reason);
    }
    return job.Result == Outcome::Ok ? kExitOk : kExitFailed;
}

// A clear erases what no data set on disk holds, so it is confirmed first: on a terminal by
// the user, elsewhere only by --yes; without either it is cancelled, as the radio's questions
// are.
bool ConfirmClear(const Context& ctx, const std::string& port, const std::string& area) {
    if (ctx.Host.AssumeYes) {
        return true;
    }
    const std::string what = area == "mmsi"      ? "the user MMSI"
                             : area == "dsc-log" ? "the DSC log"
                                                 : "the distress log";
    const std::string question = "Erase " + what + " in the radio on " + port + "? [y/N]";
    if (!ctx.Host.Interactive) {
        std::fprintf(stderr, "%s [cancelled: nobody to answer; --yes erases]\n", question.c_str());
        return false;
    }
    std::fprintf(stderr, "%s ", question.c_str());
    std::fflush(stderr);
    std::string line;
    if (!std::getline(std::cin, line)) {
        std::fprintf(stderr, "\n");
        return false;
    }
    return line == "y" || line == "Y" || line == "yes";
}

// Each --port takes one value; given more than once, the ports run at once.
CLI::Option* AddPortsOption(CLI::App* command, std::vector<std::string>& ports) {
    return command
        ->add_option("--port", ports,
                     "Device path or COM number; more than one: the radios at once")
        ->required()
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->allow_extra_args(false);
}

// A read saves what it read, port by port when there are several.
int ReadCommand(Context& ctx, const FleetRequest& request) {
    const std::string& file = request.ReadOut;
    if (!CanSave(DataSetKindOf(file))) {
        std::fprintf(stderr, "%s: cannot save this kind of file\n", file.c_str());
        return kExitUsage;
    }
    // A whole read is lost when its file cannot be written: find that out first.
    for (const std::string& port : request.Ports) {
        const std::string out = request.Ports.size() == 1 ? file : PortOutName(file, port);
        FileError error;
        if (!CheckOutputFile(out, error)) {
            ctx.Host.ShowMessage("FileSave Error!!", ctx.Ws.TitleText, MsgIcon::Exclamation);
            ctx.Host.ShowReason(out + ": " + error.Text);
            return kExitFailed;
        }
    }
    if (request.Ports.size() > 1) {
        return RunFleet(ctx, request);
    }
    const int status = RunTransfer(ctx, request.Ports.front(), TransferMode::Read);
    if (status != kExitOk)
        return status;
    return SaveDataSet(ctx.Ws, ctx.Host, file) == Outcome::Ok ? kExitOk : kExitFailed;
}

}  // namespace

void AddTransferCommands(CLI::App& app, Context& ctx) {
    auto port = std::make_shared<std::string>();
    auto area = std::make_shared<std::string>();
    auto request = std::make_shared<FleetRequest>();

    CLI::App* read = app.add_subcommand("read", "Read the radio into a data set file");
    AddPortsOption(read, request->Ports);
    read->add_option("OUT", request->ReadOut,
                     "Data set to write (.dat, .hex, .txt); with several ports, one for each, "
                     "named after the port (boat-ttyUSB0.hex)")
        ->required();
    read->add_flag("--json", request->Json, "With several ports: the summary as JSON");
    read->callback([&ctx, request] {
        request->Mode = TransferMode::Read;
        ctx.Run = [&ctx, request] { return ReadCommand(ctx, *request); };
    });

    auto file = std::make_shared<std::string>();
    CLI::App* program = app.add_subcommand("program", "Program a data set file into the radio");
    AddPortsOption(program, request->Ports);
    program->add_option("IN", *file, "Data set to program (.dat, .hex)")->required();
    program->add_flag("--verify", request->Verify,
                      "Read back every block written and compare it with what was sent");
    program->add_flag("--json", request->Json, "With several ports: the summary as JSON");
    program->callback([&ctx, file, request] {
        request->Mode = TransferMode::Program;
        ctx.Run = [&ctx, file, request] {
            if (!CanLoad(DataSetKindOf(*file))) {
                std::fprintf(stderr, "%s: cannot load this kind of file\n", file->c_str());
                return kExitUsage;
            }
            if (LoadDataSet(ctx.Ws, ctx.Host, *file, *ctx.Store, ctx.Destinations) != Outcome::Ok)
                return kExitFailed;
            if (request->Ports.size() > 1) {
                return RunFleet(ctx, *request);
            }
            return RunTransfer(ctx, request->Ports.front(), TransferMode::Program, request->Verify);
        };
    });

    CLI::App* clear = app.add_subcommand("clear", "Clear the user MMSI or a log in the radio");
    clear->add_option("--port", *port, "Device path or COM number")->required();
    clear->add_option("WHAT", *area, "mmsi, dsc-log or distress-log")
        ->required()
        ->check(CLI::IsMember({"mmsi", "dsc-log", "distress-log"}));
    clear->callback([&ctx, port, area] {
        ctx.Run = [&ctx, port, area] {
            const TransferMode mode = *area == "mmsi"      ? TransferMode::ClearMmsi
                                      : *area == "dsc-log" ? TransferMode::ClearDscLog
                                                           : TransferMode::ClearDistressLog;
            if (!ConfirmClear(ctx, *port, *area)) {
                std::fprintf(stderr, "%s: cancelled\n", TransferTitle(mode).c_str());
                return kExitFailed;
            }
            return RunTransfer(ctx, *port, mode);
        };
    });
}

}  // namespace tq530::cli
