// Radio transfers of the command line: read, program, clear.
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <thread>

#include "app/backups.h"
#include "app/data_set.h"
#include "cli/cli.h"
#include "core/file_io.h"
#include "core/link_host.h"
#include "radio/qt/qt_serial_link.h"
#include "radio/transfer.h"

namespace tq530::cli {

namespace {

volatile sig_atomic_t gInterrupts = 0;

void OnInterrupt(int) {
    gInterrupts = gInterrupts + 1;
}

// The terminal as the radio link's host: messages and questions go through TerminalHost,
// progress is a bar on a terminal, Ctrl+C is the Cancel button.
class CliLinkHost : public LinkHost {
  public:
    CliLinkHost(Context& ctx) : ctx_(ctx), bar_(isatty(STDERR_FILENO) != 0) {
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        // No SA_RESTART: a question waiting for its answer gives up on Ctrl+C.
        sigaction(SIGINT, &action, &previous_);
        seen_ = gInterrupts;
    }
    ~CliLinkHost() override {
        EndBar();
        sigaction(SIGINT, &previous_, nullptr);
    }

    int64_t NowMs() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void Pause(int ms) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        Yield();
    }
    // Each Ctrl+C presses Cancel once, as a click on the button would.
    void Yield() override {
        if (gInterrupts != seen_) {
            seen_ = gInterrupts;
            ctx_.Ws.CancelRequested = true;
        }
    }
    void ShowMonitor(const std::string& text) override {
        if (ctx_.Ws.DiagnosticMode && !text.empty()) {
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
        seen_ = gInterrupts;  // a Ctrl+C that ended the question is spent on it
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
    bool bar_;
    bool barOnScreen_ = false;
    int shown_ = -1;
    sig_atomic_t seen_ = 0;
    struct sigaction previous_ {};
    ResyncAnswerLimit limit_;
    ResyncAnswerLimit busyLimit_;
};

// "3" or "COM3" is a COM number; anything else a device path.
bool ApplyPort(Context& ctx, const std::string& port, std::string& device) {
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
    if (number) {
        const int n = std::stoi(digits);
        if (n < 1)
            return false;
        ctx.Ws.ComNum = static_cast<int16_t>(n);
        device.clear();
    } else {
        device = port;
    }
    return true;
}

int RunTransfer(Context& ctx, const std::string& port, TransferMode mode, bool verify = false) {
    std::string device;
    if (!ApplyPort(ctx, port, device)) {
        std::fprintf(stderr, "--port: not a device or COM number: %s\n", port.c_str());
        return kExitUsage;
    }
    // Qt's port wants an application object, even without an event loop.
    static int argc = 1;
    static char name[] = "tq530-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QtSerialLink serial(device);
    CliLinkHost host(ctx);
    Transfer transfer(ctx.Ws, serial, host, mode);
    transfer.SetVerify(verify);
    const Outcome outcome = transfer.Run();
    serial.Close();
    host.Finish();
    const std::string title = TransferTitle(mode);
    if (outcome == Outcome::Ok) {
        const std::string notice = KeepTransferBackup(ctx.Ws, mode, transfer.RadioBytes(),
                                                      std::time(nullptr), BackupDir());
        if (!notice.empty()) {
            std::fprintf(stderr, "%s\n", notice.c_str());
        }
    }
    // A port that gave up under the transfer is no Cancel: its reason line says what it is.
    if (outcome == Outcome::Cancelled && !transfer.PortFailed()) {
        std::fprintf(stderr, "%s: cancelled\n", title.c_str());
    } else if (outcome == Outcome::Failed && !ctx.Ws.CommError) {
        // A failed connection says nothing of its own outside diagnostic mode.
        std::fprintf(stderr, "%s: not completed\n", title.c_str());
    }
    if (!transfer.Reason().empty()) {
        ctx.Host.ShowReason(transfer.Reason());
    }
    return outcome == Outcome::Ok ? kExitOk : kExitFailed;
}

}  // namespace

void AddTransferCommands(CLI::App& app, Context& ctx) {
    auto port = std::make_shared<std::string>();
    auto file = std::make_shared<std::string>();
    auto area = std::make_shared<std::string>();
    auto verify = std::make_shared<bool>(false);

    CLI::App* read = app.add_subcommand("read", "Read the radio into a data set file");
    read->add_option("--port", *port, "Device path or COM number")->required();
    read->add_option("OUT", *file, "Data set to write (.dat, .hex, .txt)")->required();
    read->callback([&ctx, port, file] {
        ctx.Run = [&ctx, port, file] {
            if (!CanSave(DataSetKindOf(*file))) {
                std::fprintf(stderr, "%s: cannot save this kind of file\n", file->c_str());
                return kExitUsage;
            }
            // A whole read is lost when its file cannot be written: find that out first.
            FileError error;
            if (!CheckOutputFile(*file, error)) {
                ctx.Host.ShowMessage("FileSave Error!!", ctx.Ws.TitleText, MsgIcon::Exclamation);
                ctx.Host.ShowReason(*file + ": " + error.Text);
                return kExitFailed;
            }
            const int status = RunTransfer(ctx, *port, TransferMode::Read);
            if (status != kExitOk)
                return status;
            return SaveDataSet(ctx.Ws, ctx.Host, *file) == Outcome::Ok ? kExitOk : kExitFailed;
        };
    });

    CLI::App* program = app.add_subcommand("program", "Program a data set file into the radio");
    program->add_option("--port", *port, "Device path or COM number")->required();
    program->add_option("IN", *file, "Data set to program (.dat, .hex)")->required();
    program->add_flag("--verify", *verify,
                      "Read back every block written and compare it with what was sent");
    program->callback([&ctx, port, file, verify] {
        ctx.Run = [&ctx, port, file, verify] {
            if (!CanLoad(DataSetKindOf(*file))) {
                std::fprintf(stderr, "%s: cannot load this kind of file\n", file->c_str());
                return kExitUsage;
            }
            if (LoadDataSet(ctx.Ws, ctx.Host, *file, *ctx.Store, ctx.Destinations) != Outcome::Ok)
                return kExitFailed;
            return RunTransfer(ctx, *port, TransferMode::Program, *verify);
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
            return RunTransfer(ctx, *port, mode);
        };
    });
}

}  // namespace tq530::cli
