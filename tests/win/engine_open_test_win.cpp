// Opening clips: what renders, what the user is told when nothing can decode a
// clip, and what is left behind.
#include <gtest/gtest.h>

#include <string>

#include "engine_fixture_win.h"

namespace {

const char kCodecBoxText[] =
    "Please install K-Lite Codec(Basic).\r\nDo you want to open a website ?\r\n\r\n"
    "Web Site : https://example.com/codecs";
const char kReleaseLines[] = "\r\n\r\n ===> Video Release <===\r\n =====> Put_Visible False";

bool HoldsAnyInterface(const CMediaLib& e) {
  return e.pGraphBuilder || e.pMediaControl || e.pVideoWindow || e.pMediaEvent || e.pMediaSeeking ||
         e.pFrameStep;
}

class PlayableClip : public EngineTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PlayableClip, OpensStoppedThenPlaysAndSeeks) {
  Open(GetParam());
  ASSERT_TRUE(engine->bReady);
  EXPECT_EQ(engine->nTotalSec, 12);
  EXPECT_TRUE(engine->pGraphBuilder && engine->pMediaControl && engine->pVideoWindow &&
              engine->pMediaEvent && engine->pMediaSeeking && engine->pFrameStep);
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_TRUE(engine->IsStopped()) << "running is the caller's Play";

  ExpectVideoOnHost(false);  // shown when it plays

  engine->Play();
  EXPECT_TRUE(engine->IsRunning());
  testkit::PumpFor(2000);
  ExpectVideoOnHost(true);
  engine->UpdatePosition();
  EXPECT_GE(engine->nCurrentSec, 1);
  EXPECT_LE(engine->nCurrentSec, 3);

  engine->SeekTo(5);
  testkit::PumpFor(200);
  engine->UpdatePosition();
  EXPECT_GE(engine->nCurrentSec, 4);
  EXPECT_LE(engine->nCurrentSec, 6);
  EXPECT_TRUE(engine->IsRunning()) << "a seek keeps the run state";
}

INSTANTIATE_TEST_SUITE_P(Clips, PlayableClip,
                         ::testing::Values("CLIP.MP4", "CLIP.MOV", "CLIP.AVI"));

TEST_F(EngineTest, PartialRenderCountsAsSuccess) {
  ComPtr<IGraphBuilder> bare;
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER,
                                            IID_IGraphBuilder,
                                            reinterpret_cast<void**>(bare.GetAddressOf())));
  const std::string clip = ClipPath("CLIP.MP4");
  const std::wstring path(clip.begin(), clip.end());
  ASSERT_EQ(bare->RenderFile(path.c_str(), NULL), VFW_S_PARTIAL_RENDER)
      << "the sound stream should stay unconnected here (Wine's audio driver is off)";
  bare.Reset();

  Open("CLIP.MP4");
  EXPECT_TRUE(engine->bReady);
  EXPECT_TRUE(boxes.Calls().empty());
}

struct Unplayable {
  const char* clip;
  const char* reason;  // "" for the missing-codec question
};

class UnrenderableClip : public EngineTest, public ::testing::WithParamInterface<Unplayable> {};

// The codec question only where a decoder would help; every other file is named
// with what is wrong with it.
TEST_P(UnrenderableClip, AsksOnceWhatHelpsAndLeavesNoGraph) {
  // A clip that played before: nothing of it may make the failed one look ready.
  Open("CLIP.MP4");
  ASSERT_TRUE(engine->bReady);
  engine->ReleaseGraph();
  engine->nCurrentSec = 7;
  trace.Take();

  Open(GetParam().clip);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  const testkit::BoxCall& box = boxes.Calls()[0];
  EXPECT_EQ(box.caption, "PLAYER");
  if (*GetParam().reason == '\0') {
    EXPECT_EQ(box.text, kCodecBoxText);
    EXPECT_EQ(box.type, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
  } else {
    EXPECT_EQ(box.text, "The file cannot be played:\r\n" + ClipPath(GetParam().clip) + "\r\n\r\n" +
                            GetParam().reason);
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  }
  EXPECT_FALSE(engine->bReady);
  EXPECT_EQ(engine->nTotalSec, 0);
  EXPECT_EQ(engine->nCurrentSec, 0);
  EXPECT_FALSE(HoldsAnyInterface(*engine));
  // The refusal's code is traced as text, then the graph goes.
  const std::string traced = trace.Take();
  EXPECT_EQ(traced.rfind("Video: RenderFile failed (0x8", 0), 0u) << traced;
  const std::string release = kReleaseLines;
  ASSERT_GT(traced.size(), release.size());
  EXPECT_EQ(traced.substr(traced.size() - release.size()), release) << traced;

  // What the loader does next finds no graph.
  engine->QueryDuration();
  engine->Play();
  EXPECT_FALSE(engine->IsRunning());
  EXPECT_EQ(engine->nTotalSec, 0);
  EXPECT_EQ(boxes.Calls().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Clips, UnrenderableClip,
    ::testing::Values(Unplayable{"CLIP.TS", ""},  // no transport stream decoder here
                      Unplayable{"NOVIDEO.MP4", "The file is not a video."},
                      Unplayable{"EMPTY.MP4", "The file is empty."},
                      Unplayable{"CUT.MP4", "The file is damaged or cut short."},
                      Unplayable{"SOUND.MOV", "The file holds no video."},
                      Unplayable{"FOLDER.MP4", "The file cannot be read."},
                      Unplayable{"MISSING.MP4", "The file cannot be read."}));

}  // namespace
