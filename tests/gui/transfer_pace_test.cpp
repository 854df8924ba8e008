// A full read and a full program through the window against a simulator that delivers its
// bytes at the line's speed: the worker thread must keep the command line's pace and leave
// the processor alone. Prints the figures it measured.
#include <sys/resource.h>

#include <QElapsedTimer>
#include <chrono>
#include <cstdio>

#include "app/data_set.h"
#include "core/workspace.h"
#include "gui/transfer_fixture.h"

namespace tq530::guitest {
namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

class TransferPaceTest : public TransferTest {
  protected:
    struct Cost {
        double Wall = 0;
        double Cpu = 0;
    };
    // One Transfer menu command, OK pressed at once and "Complete!!" answered.
    Cost Window(Qt::Key accessKey) {
        QElapsedTimer wall;
        double cpu = 0;
        WhenDialogShows(&ShellTest::Window(), [&wall, &cpu](TransferDialog& dialog) {
            cpu = CpuSeconds();
            wall.start();
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        });
        boxes.Next(QMessageBox::Ok);
        UseMenu(ShellTest::Window(), "&Transfer", accessKey);
        EXPECT_TRUE(boxes.Done());
        return {wall.elapsed() / 1000.0, CpuSeconds() - cpu};
    }
    double Cli(const std::string& command, const std::string& device, const std::string& file) {
        const auto start = std::chrono::steady_clock::now();
        const std::string line = std::string(TQ530_BIN_DIR) + "/tq530-cli " + command + " --port " +
                                 device + " '" + file + "' 2>/dev/null </dev/null";
        EXPECT_EQ(std::system(line.c_str()), 0) << command;
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
};

TEST_F(TransferPaceTest, FullReadAndProgramKeepTheCommandLinesPaceAtALowProcessorCost) {
    Workspace radio;
    NewData(radio);
    std::copy_n(kProductCode, kProductCodeLength, &radio.Image.Bytes[kProductCodeAddress]);
    SilentHost quiet;
    ASSERT_EQ(SaveDataSet(radio, quiet, RadioFile()), Outcome::Ok);
    ASSERT_EQ(SaveDataSet(radio, quiet, dir.File("program.hex")), Outcome::Ok);
    const std::string device = sim.Start(dir.Path(), "--pace");
    ASSERT_FALSE(device.empty());
    PointCom1At(device);
    StartWith(kOneModel);
    ASSERT_TRUE(started);
    shell->Host().SetPacing(true);  // as the program runs for a person

    const Cost read = Window(Qt::Key_R);
    const Cost program = Window(Qt::Key_P);
    const double cliRead = Cli("read", device, dir.File("read.hex"));
    const double cliProgram = Cli("program", device, dir.File("program.hex"));
    // The window waits 500 ms after a good transfer loop, where the command line goes on.
    constexpr double kPacing = 0.5;
    for (const auto& [name, gui, cli] :
         {std::tuple{"read", read, cliRead}, std::tuple{"program", program, cliProgram}}) {
        std::printf(
            "%-7s window %.2f s (%.2f s without the 500 ms pacing)  cli %.2f s  ratio %.3f "
            "(%.3f)  window cpu %.3f s = %.1f %% of a core\n",
            name, gui.Wall, gui.Wall - kPacing, cli, gui.Wall / cli, (gui.Wall - kPacing) / cli,
            gui.Cpu, 100 * gui.Cpu / gui.Wall);
        // Loose bounds: the machine that runs the tests is shared.
        EXPECT_LT((gui.Wall - kPacing) / cli, 1.25) << name;
        EXPECT_LT(gui.Cpu / gui.Wall, 0.2) << name;
    }
}

}  // namespace
}  // namespace tq530::guitest
