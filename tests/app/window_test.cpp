// The window program on the offscreen platform: the form as stored, and presses of its button.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/unit1.h"
#include "app/vcl/application.h"
#include "app/window_program.h"
#include "grid/field_reader.h"
#include "support/process.h"

namespace {

namespace fs = std::filesystem;
using fastlic::support::runIn;
using fastlic::support::TempDir;

int gArgc = 1;
char gProgram[] = "fastlic_window_tests";
char* gArgv[] = {gProgram, nullptr};

// One application for the whole test program, as in the real one.
class WindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    application = new vcl::TApplication(gArgc, gArgv);
    vcl::Application = application;
    application->Initialize();
    application->SetExceptionDisplay([](const std::string& message) { shown.push_back(message); });
    application->CreateForm(Form1);
  }
  static void TearDownTestSuite() {
    vcl::Application = nullptr;
    delete application;
    application = nullptr;
    Form1 = nullptr;
  }
  void SetUp() override { shown.clear(); }

  static vcl::TApplication* application;
  static std::vector<std::string> shown;
};
vcl::TApplication* WindowTest::application = nullptr;
std::vector<std::string> WindowTest::shown;

struct Bounds {
  const vcl::TControl* control;
  const char* name;
  int left, top, width, height;
};

TEST_F(WindowTest, FormAndComponentsHaveTheirStoredSettings) {
  ASSERT_NE(Form1, nullptr);
  EXPECT_EQ(application->MainForm(), Form1);
  const Bounds bounds[] = {
      {Form1, "Form1", 295, 197, 870, 640},
      {Form1->Image1, "Image1", 24, 8, 265, 233},
      {Form1->Image2, "Image2", 352, 8, 265, 233},
      {Form1->BitBtn1, "BitBtn1", 32, 264, 105, 57},
  };
  for (const Bounds& b : bounds) {
    SCOPED_TRACE(b.name);
    EXPECT_EQ(b.control->Name(), b.name);
    EXPECT_EQ(b.control->Left(), b.left);
    EXPECT_EQ(b.control->Top(), b.top);
    EXPECT_EQ(b.control->Width(), b.width);
    EXPECT_EQ(b.control->Height(), b.height);
  }
  EXPECT_EQ(Form1->Caption(), "Form1");
  EXPECT_EQ(Form1->BitBtn1->Caption(), "BitBtn1");
  EXPECT_EQ(Form1->BitBtn1->TabOrder(), 0);
  EXPECT_TRUE(Form1->Image1->Empty());
  EXPECT_TRUE(Form1->Image2->Empty());
  EXPECT_EQ(Form1->Color(), vcl::TColor::clBtnFace);
  EXPECT_EQ(Form1->Font().Name, "MS Sans Serif");
  EXPECT_EQ(Form1->Font().Height, -11);
  EXPECT_EQ(Form1->Widget()->font().pixelSize(), 11);
  EXPECT_FALSE(Form1->OldCreateOrder);
  EXPECT_EQ(Form1->PixelsPerInch, 96);
  EXPECT_EQ(Form1->TextHeight, 13);
  // The images and the button sit in the form's window.
  EXPECT_EQ(Form1->BitBtn1->Widget()->parentWidget(), Form1->Widget());
  EXPECT_EQ(Form1->Image2->Widget()->parentWidget(), Form1->Widget());
}

TEST_F(WindowTest, ApplicationIconIsTheEmbeddedMainIcon) {
  const QIcon icon(QStringLiteral(":/MAINICON"));
  ASSERT_FALSE(icon.isNull());
  EXPECT_FALSE(QApplication::windowIcon().isNull());
}

// Presses BitBtn1 presses times with the current directory at folder and standard output going
// to a file; returns what was written.
std::string pressInFolder(const fs::path& folder, int presses) {
  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  TempDir capture;
  const std::string file = (capture / "out").string();
  std::fflush(stdout);
  const int saved = dup(STDOUT_FILENO);
  FILE* out = std::fopen(file.c_str(), "w");
  dup2(fileno(out), STDOUT_FILENO);
  for (int n = 0; n < presses; ++n) {
    QTest::mouseClick(Form1->BitBtn1->Widget(), Qt::LeftButton);
  }
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  std::fclose(out);
  fs::current_path(previous);
  return fastlic::support::readFile(file);
}

TEST_F(WindowTest, EachPressWritesTheHeadlessRunnersPicture) {
  TempDir dir;
  ASSERT_EQ(runIn(dir.path(), std::string("'") + FASTLIC_SAMPLE_EXE + "' . saddle 5").exitStatus,
            0);
  const auto headless = runIn(dir.path(), std::string("'") + FASTLIC_EXE + "'");
  ASSERT_EQ(headless.exitStatus, 0);

  fastlic::MaxMagnitude = 0.0;
  const std::string once = pressInFolder(dir.path(), 1);
  EXPECT_TRUE(once == headless.out) << "one press differs from the headless picture";
  const std::string twice = pressInFolder(dir.path(), 2);
  EXPECT_TRUE(twice == headless.out + headless.out) << "two presses differ from the picture twice";
  EXPECT_TRUE(shown.empty());
}

TEST_F(WindowTest, ExceptionsFromAClickHandlerAreShownAndTheWindowGoesOn) {
  vcl::TBitBtn button(nullptr);
  int calls = 0;
  button.OnClick = [&calls](vcl::TObject*) {
    ++calls;
    throw vcl::Exception("cannot do that");
  };
  QTest::mouseClick(static_cast<QPushButton*>(button.Widget()), Qt::LeftButton);
  button.OnClick = [&calls](vcl::TObject*) {
    ++calls;
    throw std::runtime_error("not a vcl exception");
  };
  button.Click();
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(shown, (std::vector<std::string>{"cannot do that", "not a vcl exception"}));
}

// An application whose start-up fails in a chosen way.
class FailingApplication : public vcl::TApplication {
 public:
  FailingApplication(int& argc, char** argv, bool vclException)
      : vcl::TApplication(argc, argv), vclException_(vclException) {}
  void Initialize() override {
    if (vclException_) throw vcl::Exception("no window system here");
    throw 42;
  }

 private:
  bool vclException_;
};

TEST_F(WindowTest, StartUpShowsWhatEscapesAndStillReturnsZero) {
  for (const bool vclException : {true, false}) {
    SCOPED_TRACE(vclException ? "Exception" : "anything else");
    FailingApplication failing(gArgc, gArgv, vclException);
    std::vector<std::string> messages;
    failing.SetExceptionDisplay([&messages](const std::string& m) { messages.push_back(m); });
    EXPECT_EQ(fastlic::runWindowProgram(failing), 0);
    // Anything that is not an Exception is shown as one with an empty message.
    EXPECT_EQ(messages, std::vector<std::string>{vclException ? "no window system here" : ""});
  }
}

}  // namespace
