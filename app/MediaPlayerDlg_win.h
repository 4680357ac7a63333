// The main window: a captionless, resizable pop-up from dialog template 102.
// Its code is split by concern: loading and the tick, readouts, playlist, layout.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CameraPairView_win.h"
#include "app/KeySheet_win.h"
#include "app/SkinBackground_win.h"
#include "app/key_commands.h"
#include "app/layout.h"
#include "app/player_model.h"
#include "app/readouts.h"
#include "app/skin_table.h"
#include "app/trip_index.h"
#include "controls/ColorListBox_win.h"
#include "controls/NiceSliderCtrl_win.h"
#include "controls/OptmizeFont_win.h"
#include "controls/Picture_win.h"
#include "controls/SkinButton_win.h"
#include "framework/Dialog_win.h"
#include "framework/Owners_win.h"
#include "map/RouteView_win.h"
#include "map/route_seconds.h"
#include "map/trip_route.h"
#include "resources/resource.h"

class CMediaLib;
class CGoogleMaps;
class CGSENSOR;

class CMediaPlayerDlg : public CDialogBase {
 public:
  CMediaPlayerDlg();
  ~CMediaPlayerDlg() override;

  BOOL PreTranslateMessage(MSG* msg) override;

  // Start-up request from the command line, set before the window opens.
  std::string strStartClip;
  void SetStartSecond(int second) { model.nStartSec = second; }

  // Why the command-line start could not be made, told to the user once the
  // window shows; empty when there is nothing to tell.
  std::string strStartProblem;

  // Stops and releases the engine after the window has closed.
  void ReleaseEngine();

  // Keys (PlayerKeys_win.cpp): a key-down or character of the window; false
  // when it is no player key.
  bool OnKeyMessage(const MSG& msg);
  // A key the video handed on (CMediaLib::kForwardedKeyMessage).
  void OnForwardedKey(WPARAM key, LPARAM flags);
  void RunKeyCommand(KeyCommand command);
  // Dropped files and folders (PlayerDrop_win.cpp).
  void OnDropFiles(HDROP drop);
  // The folder button's listing of a folder already chosen.
  void ListFolder(const std::string& folder);

  static constexpr UINT_PTR kTickTimerId = 1;
  static constexpr UINT kStartProblemMessage = WM_APP + 127;

  // Loading and the one-second tick.
  void app_LoadVideo(std::string path);
  int app_Play(int pauseOnly);
  void OnStopButton();
  void StopClip();
  void SeekToSecond(int seconds);
  // A seek from the slider, the graph or a key: clamped, and while paused the
  // second shows at once.
  void SeekFromUser(int second);
  void OnGraphSeek(int second);
  bool IsPlaying();
  int StartTimer();
  int StopTimer();
  void OnFrameStepButton();
  void OnSnapshotButton();
  void OnLargeViewButton();
  void OnFullScreenButton();
  void OnKphRadio();
  void OnMphRadio();

  // Playlist.
  void BrowseFolder();
  void ScanFolder(const std::string& folder);
  void AddFile();
  void AddStartupFile(const std::string& path);
  void DeleteEntry();
  void PlayEntry();
  void OpenVideoFile();
  // What "Open Video" does with the chosen path: plays it without listing it.
  void PlayOpenedFile(const std::string& path);
  // The playlist row that plays, or -1 when the clip playing is not a row.
  int PlayingRow() const { return model.PlayingRow(); }
  const PlayerModel& Model() const { return model; }

  // Layout.
  void LayoutControls(int first);
  void LayoutEnlarged();
  void HideForEnlarged();
  void ShowForNormal();
  void RefitReadoutText();
  void FitEngineWindow();
  void FitGraphWindow();
  void SetPlayButtonImage(bool playing);
  // The skinned button of control `id`, or null.
  CSkinButton* SkinButton(int id);

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  BOOL OnInitDialog() override;
  bool OnPaint() override;
  bool OnEraseBkgnd(HDC dc, LRESULT& result) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnHScroll(UINT code, UINT pos, HWND scrollBar) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;
  bool OnDestroy() override;
  bool OnSize(UINT type, int cx, int cy) override;
  bool OnSizing(UINT edge, RECT* rect) override;
  bool OnLButtonDown(UINT flags, POINT point) override;
  bool OnButtonClicked(int id) override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void SeekByKey(KeyCommand command);
  void StepFrameBack();
  void JumpToEvent(int direction);
  void PlayNeighbourRow(int direction);
  void AddDroppedClips(const std::vector<std::string>& clips);
  // Loads the sidecar into the map and the route view; true when it opened.
  bool LoadSidecar(const std::string& sidecar, int length);
  void OnKeyToggled();
  void ShowSecond(int second, GdiRegion* repaint = nullptr);
  // Everything a tick shows of a second: position file, slider, graph, time
  // text, readouts and gauges.
  void ShowTickPlan(const TickPlan& plan);
  void ApplyLoadPlan(const LoadPlan& plan);
  bool MoveCar(int second);
  void InvalidateGauges(GdiRegion& repaint);
  void AdvanceTo(int row);
  int PauseForLayout();
  void ResumeAfterLayout(int paused);
  void LoadPlaylistRow(int row);
  void RenderPlaylist();
  void EnterEnlargedLayout();
  void LeaveEnlargedLayout();
  void ShowStartProblem();
  void ReadoutsStepFor(int second);
  void ApplyLayout(const std::vector<LayoutItem>& items);
  UINT MoveFlags(HWND control, const LayoutItem& item) const;
  void FinishLayoutPass();
  void ApplyLayoutFont(int height);
  void RelayoutToClientSize();
  void CreateChildWindows();
  void OnMaximizeButton();
  void PaintGauges(HDC dc);
  // The skin: buttons take their images at their current size, backdrops
  // come from the background at the client's size.
  SkinState CurrentSkinState(bool playing) const;
  void PrepareButton(int id, const SkinState& state);
  void PrepareButtons(const std::vector<int>& ids, const SkinState& state);
  void RefreshBackdrops();
  HDC BackgroundDc();
  void PaintMapArea(HDC dc, const RECT& area);
  // The map area of the normal layout, where the page or the offline view goes.
  RECT MapPanelRect() const;
  // The map area shows the route drawn by the player (offline, with a route).
  bool ShowsRouteView() const;
  // The playing clip's trip: its position line and its route.
  void ShowTripPosition(int second);
  std::vector<TripRouteClip> TripClipsOf(int row, int& current) const;
  void SetRouteForClip(bool hasSidecar);
  // The other camera (PlayerPair_win.cpp): what a load of `path` opens beside
  // the main engine, which clip the engine loads, and the pair's commands.
  std::string LoadPairFront(const std::string& path);
  void OpenPairPartner();
  void SnapshotOf(CMediaLib& engine);
  std::string PathAt(int index) const { return model.PathAt(index); }
  // Lists one file; false when the list refused it.
  bool AddPlaylistEntry(const std::string& path, const std::string& displayText);

  std::unique_ptr<CMediaLib> pMediaLib;
  std::unique_ptr<CGoogleMaps> pGoogleMaps;
  std::unique_ptr<CGSENSOR> pGSensor;
  // The partner camera's engine and where both pictures go.
  CCameraPairView pair;
  // What the last load was asked to play (a rear row's path plays its pair);
  // Play after Stop asks for it again.
  std::string strLoadedPath;
  std::string strPairPartner;  // the partner the last load asked for
  bool bPairPartnerLarge = false;

 public:
  const CCameraPairView& Pair() const { return pair; }
  CGSENSOR* GSensor() const { return pGSensor.get(); }

 private:
  // Texts pushed to the controls by data exchange.
  std::string strTimeText = " 00:00:00 / 00:00:00 ";
  ReadoutTexts readouts;
  std::string strVersion;

  // What plays and what the playlist holds; the window applies its plans.
  PlayerModel model;
  // The playlist's trips and each row's events, and the events of the clip
  // that plays (listed or not).
  TripIndex trips;
  std::vector<GForceEvent> clipEvents;
  // Each listed clip's facts by path (PlayerListing_win.cpp): read a chunk of
  // rows per posted kReadFactsMessage after the rows change, so the window
  // answers while a big folder's sidecars are read; a newer change of the rows
  // takes over from the older reading (the generation).
  struct ListedClip {
    int64_t nWriteTime = 0;  // UTC seconds; the facts stand until it changes
    bool bRead = false;
    ClipFacts facts;
  };
  std::map<std::string, ListedClip> listedClips;
  WPARAM nFactsGeneration = 0;
  static constexpr UINT kReadFactsMessage = WM_APP + 118;
  void NoteListedClip(const std::string& path, const FILETIME& written);
  void ListingChanged();
  void SyncListedClips();
  void ReadFactsChunk(WPARAM generation);
  void RebuildTrips();

 public:
  // The listing's trips, and whether facts of listed clips are still being read.
  const TripIndex& Trips() const { return trips; }
  bool ReadingListedFacts() const;

 private:
  UINT_PTR nTimerId = 0;
  int bLargeView = 0;

  // Layout state.
  ClientGeometry geometry;
  int bMaximized = 0;
  int bInitDone = 0;
  int bRelayoutPending = 0;
  COptmizeFont fontLayout;
  CPicture pictureNoMap;
  CRouteView routeView;
  RouteCarState routeCar;
  TripRouteCache tripRoutes;
  std::string strTripText;  // the position line's text as last shown
  CSkinBackground background;
  CKeySheet keySheet;
  static constexpr size_t kSkinButtonCount = 21;  // one is never bound to a control
  CSkinButton skinButtons[kSkinButtonCount];
  CNiceSliderCtrl seekSlider;
  CColorListBox playlistBox;
  CColorListBox pathListBox;
  MemoryDc measureDc{NULL};  // text extents in the layout font
 public:
  static constexpr size_t kReadoutCount = 9;

 private:
  std::string fittedTexts[kReadoutCount];  // the readout texts the controls were fitted to

  HICON hIcon = NULL;  // shared resource icon, not owned
  GdiBrush brushBlack;
  GdiBrush brushVersion;
};
