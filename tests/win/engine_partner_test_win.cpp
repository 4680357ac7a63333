// A second engine as the partner of the first: the rear camera's clip, muted,
// in a captionless window at a place of the host, moving with the main clip,
// holding its last frame past its end, and telling why when it cannot play.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine_fixture_win.h"
#include "video/media_time.h"

namespace {

const RECT kCorner = {400, 200, 560, 320};
const LONGLONG kQuarterSecond = 2500000;

class PartnerTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    partner = std::make_unique<CMediaLib>();
    partner->PlacePartner(host, kCorner);
  }
  void TearDown() override {
    if (partner) {
      partner->Stop();
      partner->ReleaseGraph();
      partner.reset();
    }
    EngineTest::TearDown();
  }

  // The partner's video: the host's child that is not the main engine.
  HWND PartnerVideo() const {
    for (HWND w = GetWindow(host, GW_CHILD); w != NULL; w = GetWindow(w, GW_HWNDNEXT))
      if (w != engine->GetSafeHwnd()) return w;
    return NULL;
  }

  OAFilterState PartnerState(DWORD timeoutMs = 3000) {
    OAFilterState state = State_Stopped;
    testkit::PumpUntil(
        [&] { return partner->pMediaControl->GetState(10, &state) != VFW_S_STATE_INTERMEDIATE; },
        timeoutMs);
    return state;
  }

  void ExpectPlacedAt(const RECT& place) {
    HWND video = PartnerVideo();
    ASSERT_NE(video, (HWND)NULL) << "no partner video on the host";
    EXPECT_EQ(GetParent(video), host);
    const LONG style = GetWindowLongA(video, GWL_STYLE);
    EXPECT_NE(style & WS_CHILD, 0);
    EXPECT_EQ(style & WS_CAPTION, 0) << "the partner's video has a caption";
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    RECT at = {};
    GetWindowRect(video, &at);
    MapWindowPoints(NULL, host, reinterpret_cast<POINT*>(&at), 2);
    EXPECT_EQ(at.left, place.left);
    EXPECT_EQ(at.top, place.top);
    EXPECT_EQ(at.right, place.right);
    EXPECT_EQ(at.bottom, place.bottom);
    EXPECT_TRUE(IsWindowVisible(video));
  }

  std::unique_ptr<CMediaLib> partner;
};

// Bytes of the paused partner's frame brighter than near-black; -1 when the
// renderer gives no frame.
int LitBytes(CMediaLib& engine) {
  ComPtr<IBasicVideo> video;
  if (FAILED(QueryInto(engine.pGraphBuilder.Get(), IID_IBasicVideo, video))) return -1;
  long width = 0, height = 0;
  video->GetVideoSize(&width, &height);
  const long room = static_cast<long>(sizeof(BITMAPINFOHEADER)) + width * height * 4 + 4096;
  std::vector<unsigned char> image(static_cast<size_t>(room));
  const bool got = testkit::PumpUntil(
      [&] {
        long size = room;
        return SUCCEEDED(video->GetCurrentImage(&size, reinterpret_cast<long*>(image.data())));
      },
      1000);
  if (!got) return -1;
  int lit = 0;
  for (size_t i = sizeof(BITMAPINFOHEADER); i < image.size(); ++i) lit += image[i] > 40 ? 1 : 0;
  return lit;
}

TEST_F(PartnerTest, PlacedAndReplacedAsACaptionlessChildOfTheHost) {
  ASSERT_EQ(partner->OpenPartner(ClipPath("REAR.MP4")), "");
  EXPECT_TRUE(partner->IsReady());
  partner->Play();
  ASSERT_EQ(PartnerState(), State_Running);
  ExpectPlacedAt(kCorner);
  const RECT moved = {10, 20, 170, 140};
  partner->PlacePartner(host, moved);
  testkit::PumpFor(50);
  ExpectPlacedAt(moved);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(PartnerTest, TwoEnginesPlayTogetherWithinAQuarterSecond) {
  Open("CLIP.MP4");
  ASSERT_TRUE(engine->bReady);
  ASSERT_EQ(partner->OpenPartner(ClipPath("REAR.MP4")), "");
  engine->Play();
  partner->Play();
  ASSERT_EQ(SettledState(), State_Running);
  ASSERT_EQ(PartnerState(), State_Running);
  testkit::PumpFor(500);
  for (int reading = 0; reading < 6; ++reading) {
    const LONGLONG master = engine->ExactPosition();
    const LONGLONG rear = partner->ExactPosition();
    EXPECT_LE(std::llabs(master - rear), kQuarterSecond)
        << "reading " << reading << ": master " << master << ", partner " << rear;
    testkit::PumpFor(500);
  }
  EXPECT_GE(partner->ExactPosition(), 25000000) << "the partner did not play";
}

TEST_F(PartnerTest, PauseSeekAndStopActOnBoth) {
  Open("CLIP.MP4");
  ASSERT_EQ(partner->OpenPartner(ClipPath("REAR.MP4")), "");
  engine->Play();
  partner->Play();
  testkit::PumpFor(800);

  engine->Pause();
  partner->Pause();
  ASSERT_EQ(SettledState(), State_Paused);
  ASSERT_EQ(PartnerState(), State_Paused);
  const LONGLONG paused = partner->ExactPosition();
  testkit::PumpFor(300);
  EXPECT_LE(std::llabs(partner->ExactPosition() - paused), 200000) << "a paused partner moved";

  // Not whole seconds: the partner follows the main clip to the frame.
  const LONGLONG target = 35000000;
  engine->SeekExact(target);
  partner->SeekExact(target);
  testkit::PumpFor(200);
  EXPECT_LE(std::llabs(engine->ExactPosition() - target), 1000000);
  EXPECT_LE(std::llabs(partner->ExactPosition() - target), 1000000);
  EXPECT_EQ(PartnerState(), State_Paused) << "a seek does not start a paused partner";

  engine->Play();
  partner->Play();
  ASSERT_EQ(PartnerState(), State_Running);
  testkit::PumpFor(400);
  EXPECT_GT(partner->ExactPosition(), target);

  engine->Stop();
  partner->Stop();
  EXPECT_EQ(SettledState(), State_Stopped);
  EXPECT_EQ(PartnerState(), State_Stopped);
  EXPECT_EQ(engine->ExactPosition(), 0);
  EXPECT_EQ(partner->ExactPosition(), 0);
}

TEST_F(PartnerTest, PastItsEndThePartnerHoldsItsLastFrame) {
  ASSERT_EQ(partner->OpenPartner(ClipPath("REAR.MP4")), "");
  const LONGLONG length = partner->ExactLength();
  ASSERT_GT(length, 50000000);
  partner->Play();
  ASSERT_EQ(PartnerState(), State_Running);

  // Played through its end while the main clip goes on.
  partner->SeekExact(length - 3000000);
  testkit::PumpFor(1200);
  EXPECT_EQ(PartnerState(), State_Running) << "the partner stopped at its end";
  EXPECT_LE(partner->ExactPosition(), length);
  EXPECT_TRUE(IsWindowVisible(PartnerVideo()));

  // Sent past its end: its last frame is on screen, not black.
  partner->Pause();
  ASSERT_EQ(PartnerState(), State_Paused);
  partner->SeekExact(length + 90000000);
  testkit::PumpFor(300);
  // Wine's paused graph reads its stop position here; the frame shown is the
  // last one either way.
  const LONGLONG held = partner->ExactPosition();
  EXPECT_LE(held, length);
  EXPECT_GT(held, length - 1000000);
  EXPECT_GT(LitBytes(*partner), 1000) << "no picture at the end";
  EXPECT_TRUE(IsWindowVisible(PartnerVideo()));
}

TEST_F(PartnerTest, VideoSizeIsTheClipsOwnAndTheSoundIsOff) {
  ASSERT_EQ(partner->OpenPartner(ClipPath("REAR.MP4")), "");
  long width = 0, height = 0;
  ASSERT_TRUE(partner->NativeVideoSize(width, height));
  EXPECT_EQ(width, 320);
  EXPECT_EQ(height, 240);

  // A partner with sound: the same clip as the main one.
  ASSERT_EQ(partner->OpenPartner(ClipPath("CLIP.MP4")), "");
  ASSERT_TRUE(partner->NativeVideoSize(width, height));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 360);
  ComPtr<IBasicAudio> audio;
  ASSERT_HRESULT_SUCCEEDED(QueryInto(partner->pGraphBuilder.Get(), IID_IBasicAudio, audio));
  long volume = 0;
  // Without a sound device there is no audio renderer and nothing to hear.
  if (SUCCEEDED(audio->get_Volume(&volume))) {
    EXPECT_EQ(volume, -10000);
  }
  ExpectPlacedAt(kCorner);
  int videos = 0;
  for (HWND w = GetWindow(host, GW_CHILD); w != NULL; w = GetWindow(w, GW_HWNDNEXT)) ++videos;
  EXPECT_EQ(videos, 2) << "the first clip's video stayed on the host";
}

TEST_F(PartnerTest, AClipThatCannotPlayGivesItsReasonAndNoBox) {
  const struct {
    const char* clip;
    const char* reason;  // nullptr: any reason
  } cases[] = {
      {"CUT.MP4", "The rear camera's clip cannot be played here. The file is damaged or cut short."},
      {"NOVIDEO.MP4", "The rear camera's clip cannot be played here. The file is not a video."},
      {"EMPTY.MP4", "The rear camera's clip cannot be played here. The file is empty."},
      {"SOUND.MOV", nullptr},  // rendered to sound alone or not at all
  };
  for (const auto& c : cases) {
    trace.Take();
    const std::string reason = partner->OpenPartner(ClipPath(c.clip));
    if (c.reason != nullptr) {
      EXPECT_EQ(reason, c.reason) << c.clip;
      EXPECT_NE(trace.Take().find("Video: RenderFile failed (0x"), std::string::npos) << c.clip;
    } else {
      EXPECT_EQ(reason.rfind("The rear camera's clip ", 0), 0u) << c.clip << ": " << reason;
    }
    EXPECT_FALSE(partner->IsReady()) << c.clip;
    EXPECT_FALSE(partner->pGraphBuilder) << c.clip;
    EXPECT_EQ(partner->ExactPosition(), -1) << c.clip;
    EXPECT_EQ(PartnerVideo(), (HWND)NULL) << c.clip;
  }
  EXPECT_TRUE(boxes.Calls().empty()) << "a partner showed a message box";
}

}  // namespace
