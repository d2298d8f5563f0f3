// The portal route, on a private session bus: a fake portal answers and the
// answer arrives from the asking thread's message loop; the call carries the
// request; and when the portal gives up or none is on the bus, the library's
// own dialog asks instead.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "tests/zephui/filechooser/FakePortal.h"
#include "tests/zephui/filechooser/PrivateBus.h"
#include "zephui/FileChooser.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"
#include "zephui/MessageCodes.h"
#include "zephui/VirtualKeys.h"
#include "zephui/WindowProcedure.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

// An owner that closes with Escape every modal dialog opened on it, and counts them.
class EscapingOwner final : public WindowProcedure {
 public:
  static constexpr UINT kEscape = WM_USER + 5;

  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_ENABLE && wParam == 0) {  // a modal dialog went up on us
      ++dialogs;
      PostMessage(hwnd, kEscape, 0, 0);  // handled inside the dialog's loop
    } else if (message == kEscape) {
      Headless::PressKey(VK_ESCAPE);
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
  }

  int dialogs = 0;
};

class PortalTest : public HeadlessFixture {
 protected:
  void SetUp() override {
    HeadlessFixture::SetUp();
    bus_ = std::make_unique<PrivateBus>();
    ASSERT_TRUE(bus_->Running());
    owner_ = CreateWindowEx(0, u"HeadlessTest", u"", WS_POPUP | WS_VISIBLE, 100, 100, 900, 700, nullptr, &escaper_);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override {
    HeadlessFixture::TearDown();
    bus_.reset();
  }

  FileChooserRequest Request(FileChooserMode mode) const {
    FileChooserRequest request;
    request.mode = mode;
    request.title = u"Import profile";
    request.filters = {{u"Custom Key (*.xml)", {u"*.xml"}}};
    request.defaultExtension = u"xml";
    request.folder = TempPath("");
    request.suggestedName = u"t40";
    request.owner = owner_;
    return request;
  }

  // Asks and runs the message loop until the answer came, checking it came once.
  FileChooserAnswer AskAndWait(FileChooser& chooser, FileChooserMode mode) {
    std::optional<FileChooserAnswer> answer;
    int answers = 0;
    EXPECT_TRUE(chooser.Ask(Request(mode), [&](const FileChooserAnswer& a) {
      answer = a;
      ++answers;
    }));
    MSG msg;
    while (chooser.Pending() && GetMessage(msg)) DispatchMessage(msg);
    Headless::Pump();
    EXPECT_EQ(answers, 1);
    return answer.value_or(FileChooserAnswer{});
  }

  std::unique_ptr<PrivateBus> bus_;
  EscapingOwner escaper_;
  HWND owner_ = nullptr;
};

TEST_F(PortalTest, TheChosenUriComesBackAsItsPathAndTheCallCarriesTheRequest) {
  FakePortal portal(0, "file:///home/user/My%20Profiles/t40%2Bfn.xml");
  ASSERT_TRUE(portal.Ready());
  FileChooser chooser;
  const FileChooserAnswer answer = AskAndWait(chooser, FileChooserMode::Open);
  EXPECT_EQ(answer.outcome, FileChooserOutcome::Chosen);
  EXPECT_EQ(answer.route, FileChooserRoute::Portal);
  EXPECT_EQ(answer.path, "/home/user/My Profiles/t40+fn.xml");
  EXPECT_EQ(escaper_.dialogs, 0);

  std::vector<FakePortal::Call> calls = portal.Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].method, "OpenFile");
  EXPECT_EQ(calls[0].title, "Import profile");
  EXPECT_EQ(calls[0].parent, "");  // no X window to name on the headless backend
  EXPECT_EQ(calls[0].text["modal"], "true");
  EXPECT_EQ(calls[0].text["multiple"], "false");
  EXPECT_EQ(calls[0].folder, TempPath("") + std::string(1, '\0'));
  using Filters = std::vector<std::pair<std::string, std::vector<std::string>>>;
  EXPECT_EQ(calls[0].filters, (Filters{{"Custom Key (*.xml)", {"*.xml"}}}));
}

TEST_F(PortalTest, ACancelInThePortalIsACancelAndSavingSuggestsTheNameWithItsExtension) {
  FakePortal portal(1, "");
  ASSERT_TRUE(portal.Ready());
  FileChooser chooser;
  const FileChooserAnswer answer = AskAndWait(chooser, FileChooserMode::Save);
  EXPECT_EQ(answer.outcome, FileChooserOutcome::Cancelled);
  EXPECT_EQ(answer.route, FileChooserRoute::Portal);
  EXPECT_EQ(escaper_.dialogs, 0);
  std::vector<FakePortal::Call> calls = portal.Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].method, "SaveFile");
  EXPECT_EQ(calls[0].text["current_name"], "t40.xml");
  EXPECT_EQ(calls[0].text.count("multiple"), 0u);
}

TEST_F(PortalTest, WhenThePortalGivesUpOrIsMissingTheOwnDialogAsks) {
  FileChooser chooser;
  {
    FakePortal portal(2, "");
    ASSERT_TRUE(portal.Ready());
    const FileChooserAnswer answer = AskAndWait(chooser, FileChooserMode::Open);
    EXPECT_EQ(answer.route, FileChooserRoute::OwnDialog);
    EXPECT_EQ(answer.outcome, FileChooserOutcome::Cancelled);
    EXPECT_EQ(escaper_.dialogs, 1);
    EXPECT_EQ(portal.Calls().size(), 1u);
  }
  // Nobody owns the portal's name now: the call fails at once.
  const FileChooserAnswer answer = AskAndWait(chooser, FileChooserMode::Save);
  EXPECT_EQ(answer.route, FileChooserRoute::OwnDialog);
  EXPECT_EQ(escaper_.dialogs, 2);
}

}  // namespace
}  // namespace zephuitest
