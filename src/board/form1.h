#pragma once
// The board: the main window and the scorebook of the one game a run
// records. The live game is held in the controls themselves (texts, colours,
// which option is set); there is no separate game object to drift from them.
// The class is implemented across several files of this folder, one per
// concern, all sharing this header.
#include "board/box_score_edit.h"
#include "platform/events.h"
#include "presentation/ballparks.h"
#include "presentation/picture_box.h"
#include "stats_sheet/sheet_board.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

class QMenuBar;
class QMenu;
class QFrame;
class Form2;
class Options;
class CustMsgBox;
class ControlResizer;
class CtrlKeyWatch;
class DieBody;

class Grid;
class TeamLabel;

// One side's controls, visitors or home: its part of the board and its
// part of the statistics sheet.
struct SideControls {
    QPushButton* load;  // Command6, Command7
    QRadioButton* atBat;  // Option5, Option6
    QCheckBox* edit;  // Check1, Check2
    ListBox* lineup;  // List1, List2
    QLineEdit* editBox;  // tb_List1edit, tb_List2edit
    QLabel* batterIndex;  // lbl_L1current, lbl_L2current
    ClickLabel* pitcher;  // lbl_VisPitcher, lbl_HomePitcher
    PictureBox* pitcherPhoto;  // img_VisPitch, img_HomePitch
    PictureBox* logo;  // img_VisLogo, img_HomeLogo
    QLineEdit* teamName;  // tb_VisTeam, tb_HomeTeam
    const std::array<BoxScoreEdit*, 23>& lineScore;  // tb_BoxScore, tb_BoxScoreBottom
    // The sheet's; nullptr while the board has no sheet.
    Grid* stats;  // grd_VisStats, grd_HomeStats
    TeamLabel* sheetTeam;  // lbl_VisTeam, lbl_HomeTeam
    PictureBox* sheetLogo;  // Picture3, Picture4
};

class Form1 : public QWidget, public SheetBoard {
    Q_OBJECT
public:
    Form1();
    ~Form1() override;

    // The one board of the run (nullptr before it exists).
    static Form1* instance();

    // Start-up: prepares every window the game needs, restores the saved
    // captions and fits the board to the screen. Returns false when a step
    // failed (the "Program Error" box has been shown).
    bool Form_Load();
    // Run by the window's close; true when the board may close.
    bool Form_QueryUnload();

    Form2* statsSheet() const { return form2_; }
    // The controls of the visitors (true) or of the home side.
    SideControls side(bool visitors) const;

    // ---- What the statistics sheet reads and writes of the board ----
    QWidget* boardWindow() override { return this; }
    void sheetClicked() override;
    QString selectedLineupEntry(bool visitors) const override;
    QString currentPitcher(bool visitors) const override;
    QString lineScoreRuns(bool visitors) const override;
    void pitcherSaved(bool visitors, const QString& pitcher) override;
    Options* eventLog() const { return options_; }
    ControlResizer& resizer();

    // ---- Notices and the event log ----
    static void ShowNotice(const QString& text);
    // Appends one line (subject, code literal such as "_____K", CR LF).
    void AppendEventLogLine(const QString& subject, const QString& literal);
    // Appends "[innings completed]" CR LF from the cumulative outs; false
    // (nothing written) when they are not a number.
    bool AppendHalfInningMarker();
    QString EventLogText() const;

    // ---- Menus ----
    void mnuStatistics_Click();
    void mnuEventLog_Click();
    void mnu_Options_Click();
    void About_Click();

    // ---- Board handlers of the board window itself ----
    void cb_Xinnings_Click();
    void cb_BaseTracker_Click();
    void lbl_STATS_Click();
    void SupplementalResize();
    void tmr_Constant_Timer();

    // ---- Teams, batters and pitchers ----
    void Command6_Click();  // "V"
    void Command7_Click();  // "H"
    void Visitor_Open();
    void Home_Open();
    void Vis_Logo();
    void Home_Logo();
    void img_VisLogo_DblClick();
    void img_HomeLogo_DblClick();
    void List1_Click();
    void List2_Click();
    void List1_MouseMove(int button, int shift, double x, double y);
    void List2_MouseMove(int button, int shift, double x, double y);
    void Option5_Click();
    void Option6_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void lbl_VisPitcher_DblClick();
    void lbl_HomePitcher_DblClick();
    void CalcPitcherIP(bool visitorsLabel);
    double outsInTheField(bool visitorsFielding) const override;
    // Lineup editing
    void Command2_Click();  // visitors "UP"
    void Command3_Click();  // visitors "DN"
    void Command8_Click();  // home "UP"
    void Command4_Click();  // home "DN"
    void Check1_Click();
    void Check2_Click();
    void List1_DblClick();
    void List2_DblClick();
    void List1_MouseDown(int button, int shift, double x, double y);
    void List2_MouseDown(int button, int shift, double x, double y);
    void List1_MouseUp(int button, int shift, double x, double y);
    void List2_MouseUp(int button, int shift, double x, double y);

    // ---- Game progress ----
    bool PlayGuard();
    // After a stored game: says so and returns true; a run records one game.
    bool GameAlreadySaved();
    void PitcherBatterSelectWarn();
    void ChangeOfState();
    void EventMessage();
    void AssignAtBat();
    void AdvanceLineup();
    void tb_OUT_Change();
    void tb_OutsCount_Change();
    void lbl_RBI_Click();
    void AssignER();
    void Command5_Click();  // "UPDATE"
    void ScoreUpdate();
    void ConstantUpdate();
    void tb_BoxScore_GotFocus(int index);
    void tb_BoxScoreBottom_GotFocus(int index);
    void tb_BoxScore_DblClick(int index);
    void tb_BoxScoreBottom_DblClick(int index);
    void lblDigit_Click(int digit);  // number pad heads "0" to "9"

    // ---- Plays ----
    void lbl_Single_Click();
    void lbl_Double_Click();
    void lbl_Triple_Click();
    void lbl_Homer_Click();
    void lbl_BB_Click();
    void lbl_K_Click();
    void lbl_GO_Click();
    void lbl_FO_Click();
    void lbl_LO_Click();
    void lbl_PO_Click();
    void lbl_FC_Click();
    void lbl_DP_Click();
    void lbl_Pick_Click();
    void lbl_AB_Click();
    void lbl_SB_Click();
    void OutRecordedMsg();
    void HitRecordedMsg();
    void AssignHit(int column);
    void AssignHR();
    void AssignBB();
    void AssignK();
    void StolenBase(int pieceIndex);

    // ---- Photo folder and photo size ----
    void lbl_PhotoPath_Click();
    void tb_PhotoPath_DblClick();
    void cmd_FotoBig_Click();
    void cmd_FotoSmall_Click();

    // ---- Dice rollers and sounds ----
    void Command1_Click();  // coloured dice "ROLL"
    void tmrDice2_Timer();
    void tmr_F12detect_Timer();
    void Check4_Click();    // "SHOW DICE ROLLER"
    void cmd_Roll_Click();  // face-image dice "ROLL"
    void tmr_FaceDice_Timer();
    void GetRndNum();
    void DiceSound();
    void cb_Crowd_Click();  // "CROWD NOISE"
    // ---- Charts, pages and the About box ----
    void lbl_chrt_Click(int chart);  // lbl_chrt1 .. lbl_chrt9 (chart 1 to 9)
    void tb_chrt_DblClick(int chart);
    void lbl_rules_Click();
    void lbl_help_Click();
    void Image7_Click();  // the options panel's donation picture

    // ---- Panels, hover feedback and dragging ----
    void Label9_Click();     // the options panel's "X"
    void chk_Ctrls_Click();  // "HIDE CONTROLS"
    void ResetOutcomeLabels();
    void ResetLinkLabels();
    // Scrolls each lineup one entry back towards its top.
    void NudgeLineups();
    void Form_MouseDown(int button, int shift, double x, double y);
    void Form_MouseMove(int button, int shift, double x, double y);
    void Picture1_MouseMove(int button, int shift, double x, double y);
    void pb_Res_MouseMove(int button, int shift, double x, double y);
    void Frame3_MouseDown(int button, int shift, double x, double y);
    void Frame3_MouseMove(int button, int shift, double x, double y);
    void fra_ColourDice_MouseMove(int button, int shift, double x, double y);
    void fra_ColourDice_MouseUp(int button, int shift, double x, double y);
    void fra_FaceDice_MouseMove(int button, int shift, double x, double y);
    // The pointer at the last press on the top frame or the bare window,
    // relative to it; (0, 0) again after a move without the left button
    // alone over a dragged panel.
    QPoint DragOrigin;

    // ---- Runner pieces ----
    void ClearBases();
    void Command11_Click();  // "RESET"

    // ---- Ballparks ----
    void Command9_Click();  // "BALLPARKS"
    void Random_Ballparks();
    // Fits the picture shown (the chosen one, else the default) to the
    // background; a failure is thrown to the caller.
    void ImageFit();

    // ---- Controls (names as the program has always called them) ----
    QMenuBar* menuBar = nullptr;
    QAction* mnuStatistics = nullptr;
    QAction* mnuEventLog = nullptr;
    QAction* mnu_Options = nullptr;
    QAction* About = nullptr;

    // The window's own surface below the menu: every control of the board
    // stands on it at its design place, the field picture among them.
    QWidget* boardArea = nullptr;
    BackgroundPicture* Picture1 = nullptr;  // the background picture box: the field
    QFrame* Frame3 = nullptr;        // line score, innings 1-10 and totals
    QFrame* Frame1 = nullptr;        // extra innings 11-20, hidden until X-INN
    QLabel* lbl_Frame1Caption = nullptr;
    std::array<BoxScoreEdit*, 23> tb_BoxScore{};        // visitors
    std::array<BoxScoreEdit*, 23> tb_BoxScoreBottom{};  // home
    std::array<ClickLabel*, 10> lbl_Digit{};            // lbl_0 .. lbl_9 (index = digit)
    std::array<QLabel*, 3> lbl_RHE{};
    std::array<QLabel*, 10> lbl_XinnHead{};
    QLineEdit* tb_VisTeam = nullptr;
    QLineEdit* tb_HomeTeam = nullptr;

    // The play panel and its outcome labels.
    ClickLabel* pb_Res = nullptr;
    ClickLabel* lbl_Single = nullptr;
    ClickLabel* lbl_Double = nullptr;
    ClickLabel* lbl_Triple = nullptr;
    ClickLabel* lbl_Homer = nullptr;
    ClickLabel* lbl_BB = nullptr;
    ClickLabel* lbl_K = nullptr;
    ClickLabel* lbl_GO = nullptr;
    ClickLabel* lbl_FO = nullptr;
    ClickLabel* lbl_LO = nullptr;
    ClickLabel* lbl_PO = nullptr;
    ClickLabel* lbl_FC = nullptr;
    ClickLabel* lbl_DP = nullptr;
    ClickLabel* lbl_Pick = nullptr;
    ClickLabel* lbl_AB = nullptr;
    ClickLabel* lbl_RBI = nullptr;
    ClickLabel* lbl_SB = nullptr;
    ClickLabel* lbl_STATS = nullptr;

    QLabel* lbl_OUTS = nullptr;
    QLineEdit* tb_OUT = nullptr;
    QPushButton* Command11 = nullptr;  // "RESET"
    QPushButton* Command5 = nullptr;   // "UPDATE"
    QCheckBox* cb_Xinnings = nullptr;

    // Lineups, batting side, pitchers.
    QPushButton* Command6 = nullptr;  // "V"
    QPushButton* Command7 = nullptr;  // "H"
    QRadioButton* Option5 = nullptr;  // visitors "AT BAT"
    QRadioButton* Option6 = nullptr;  // home "AT BAT"
    ListBox* List1 = nullptr;
    ListBox* List2 = nullptr;
    QPushButton* Command2 = nullptr;  // visitors "UP"
    QPushButton* Command3 = nullptr;  // visitors "DN"
    QPushButton* Command8 = nullptr;  // home "UP"
    QPushButton* Command4 = nullptr;  // home "DN"
    QCheckBox* Check1 = nullptr;      // visitors "EDIT"
    QCheckBox* Check2 = nullptr;      // home "EDIT"
    QLineEdit* tb_List1edit = nullptr;
    QLineEdit* tb_List2edit = nullptr;
    ClickLabel* lbl_VisPitcher = nullptr;   // hiddenText: ReplacedPitcher
    ClickLabel* lbl_HomePitcher = nullptr;  // hiddenText: ReplacedPitcher
    PictureBox* img_VisPitch = nullptr;
    PictureBox* img_HomePitch = nullptr;
    PictureBox* img_VisLogo = nullptr;
    PictureBox* img_HomeLogo = nullptr;

    // Runner pieces: picture box (hiddenText: PiecePlayerName), caption
    // label, and the hidden token image that holds the photo and the size.
    std::array<PictureBox*, 4> pb_Player{};
    std::array<ClickLabel*, 4> lbl_Player{};
    std::array<PictureBox*, 4> Image{};  // Image2 .. Image5
    ClickLabel* pb_BaseTracker = nullptr;
    std::array<ClickLabel*, 3> lbl_tracker{};

    // Options panel.
    QFrame* fra_Options = nullptr;
    ClickLabel* Label9 = nullptr;  // close mark "X"
    QLabel* Label3 = nullptr;      // "MASTER # OF OUTS"
    QLineEdit* tb_OutsCount = nullptr;
    QCheckBox* Check4 = nullptr;   // "SHOW DICE ROLLER"
    QCheckBox* cb_MuteDice = nullptr;
    QCheckBox* cb_Crowd = nullptr;
    QCheckBox* cb_BaseTracker = nullptr;
    QCheckBox* chk_Ctrls = nullptr;     // "HIDE CONTROLS"
    QCheckBox* cb_RandParks = nullptr;  // "RANDOM BALLPARKS", disabled until a ballpark is picked
    QLabel* Label6 = nullptr;           // "PHOTO SIZE"
    QPushButton* cmd_FotoBig = nullptr;
    QPushButton* cmd_FotoSmall = nullptr;
    ClickLabel* Image7 = nullptr;  // the donation picture
    QLabel* Label8 = nullptr;
    QLabel* Label11 = nullptr;     // how to edit the photo folder
    ClickLabel* lbl_PhotoPath = nullptr;
    QLineEdit* tb_PhotoPath = nullptr;
    QLabel* Label1 = nullptr;  // hidden line: the lowest top the SM button lets a piece keep

    // Chart captions.
    std::array<ClickLabel*, 9> lbl_chrt{};  // lbl_chrt1 .. lbl_chrt9
    std::array<QLineEdit*, 9> tb_chrt{};    // tb_chrt1 .. tb_chrt9, each over its label
    ClickLabel* lbl_rules = nullptr;         // "RULES"
    ClickLabel* lbl_help = nullptr;          // "ZRQ HELP"

    // The face-image dice roller.
    QFrame* fra_FaceDice = nullptr;
    ClickLabel* lbl_20die = nullptr;
    std::array<std::array<PictureBox*, 6>, 3> ImageFaces{};  // Image100, Image200, Image300
    QPushButton* cmd_Roll = nullptr;
    QLineEdit* tb_DieCount = nullptr;  // hidden roll counter
    QTimer* tmr_FaceDice = nullptr;

    // The coloured-dice roller: a number label over each die's body.
    QFrame* fra_ColourDice = nullptr;
    QLabel* lbl_R10 = nullptr;
    QLabel* lbl_W10 = nullptr;
    QLabel* lbl_B10 = nullptr;
    QLabel* lbl_Y10 = nullptr;
    QLabel* lbl_G20 = nullptr;
    QLabel* lbl_BLK4 = nullptr;
    QLabel* lbl_SPECK12 = nullptr;
    QLabel* lbl_P6 = nullptr;
    DieBody* shp_R10 = nullptr;
    DieBody* shp_W10 = nullptr;
    DieBody* shp_B10 = nullptr;
    DieBody* shp_Y10 = nullptr;
    DieBody* shp_G20 = nullptr;
    DieBody* shp_BLK4 = nullptr;
    DieBody* shp_SPECK12 = nullptr;
    DieBody* shp_P6 = nullptr;
    QPushButton* Command1 = nullptr;  // "ROLL"
    QLabel* lblDiceTime = nullptr;    // hidden roll counter
    QTimer* tmrDice2 = nullptr;
    QTimer* tmr_F12detect = nullptr;

    // Hidden state holders.
    QFrame* fra_ctrls = nullptr;
    QLabel* lbl_Selected = nullptr;
    QLabel* lbl_L1current = nullptr;
    QLabel* lbl_L2current = nullptr;
    QLineEdit* tb_ListBoxStatus = nullptr;
    QLineEdit* tb_LBselected = nullptr;
    QLabel* lbl_NumSel = nullptr;
    QLabel* lbl_BoxSel = nullptr;
    QLabel* lbl_VisHome = nullptr;
    QLabel* lbl_Path = nullptr;
    QLineEdit* StealRunnerName = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;

    QTimer* tmr_Constant = nullptr;

    // Ballparks: the button, the random switch (greyed until a dialog pick),
    // the picture last chosen ("" while the default shows), the folder of the
    // last dialog pick (ending in a separator) and its candidate pictures.
    QPushButton* Command9 = nullptr;    // "BALLPARKS"
    QString CurrentParkPath;
    QString BallparkFolder;
    QStringList BallparkList;

    // Die-face pip masks, element n (1 to 6) for face n.
    std::array<QString, 7> PipMask;

    // The runner piece (1 to 4) picked for a stolen base, 0 when none.
    int StealRunnerIndex = 0;

    // The launch-scaling flag of the program, and the ratios the board and
    // its controls were shrunk by at launch.
    bool ResizeFormAtLaunch = false;
    float LaunchRatioX = 1.0f;
    float LaunchRatioY = 1.0f;

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void buildControls();
    // The runner pieces at their start places on the field.
    void PutPiecesAtStartPlaces();
    void buildLineScore();
    void buildPlayPanel();
    void buildLineups();
    void buildPiecesAndOptions();
    void buildCharts();
    void wireBoard();
    // Wiring of the handlers of each concern, defined in that concern's file.
    void wireTeams();
    void wireProgress();
    void wirePlays();
    void wirePieces();
    void wirePhotos();
    // Options panel and dice.
    void buildOptionsPanel();
    void wireOptionsPanel();
    void buildDicePanels();
    void wireDice();
    void loadDieFaces();
    // The coloured dice's number labels in the order a roll draws them.
    std::array<QLabel*, 8> colourDieLabels() const;
    CtrlKeyWatch* f12Watch_ = nullptr;
    bool dieFacesLoaded_ = false;
    void buildBallparks();
    void wireBallparks();
    void wireCharts();
    void wireFeedback();
    // The panel's centre follows the pointer with the left button alone.
    void CentredDrag(QWidget* panel, int button, double x, double y);
    std::array<ClickLabel*, 17> outcomeLabels_{};  // in the order a reset restores them
    std::array<ClickLabel*, 11> linkLabels_{};     // the charts, "RULES", "ZRQ HELP"
    // The window and the pointer (screen) at the press that starts a window
    // drag; whether the desktop has been asked to move the window itself.
    QPoint windowAtPress_;
    QPoint pointerAtPress_;
    bool systemMoveAsked_ = false;

    // ---- Teams ----
    // Each side's helper, visitors true; the named handlers call these.
    void openTeam(bool visitors);
    void loadTeam(bool visitors);
    void pickBatter(bool visitors);
    void placeBatterPiece(const QString& name);
    void colourBattingSide(bool visitors);
    void showEntryTooltip(bool visitors, int button, double x, double y);
    void pickLogo(bool visitors);
    void changePitcher(bool visitors);
    void refreshPitcherPhotos();
    void moveEntry(bool visitors, int step);
    void renameEntry(bool visitors);
    void lineupMouseDown(bool visitors);
    void lineupMouseUp(bool visitors, int button, int shift, double x, double y);
    QString teamFilePath_[2];  // the file picked for each side, visitors first
    int dragSourceIndex_ = -1;
    // ---- Game progress ----
    // The two halves of the play guard: both lineups hold entries (silent
    // refusal); pitchers, side and batter are set (refusal with the notice).
    bool LineupsLoaded() const;
    bool PitchersAndBatterReady();
    void PutValue();
    // Set while tb_OUT_Change settles a count above 3 to "3", so that write
    // does not end a second half-inning.
    bool outsRewriting_ = false;
    // ---- Plays ----
    // The side at bat when the last play wrote its outs: the third out's
    // at-bat goes to that side's batter although the sides have switched.
    int outsSide_ = 0;
    // Checks a play makes before it writes anything; each refuses with a
    // notice and returns false.
    bool OutsReadyForPlay();
    bool BatterOnSheet();
    bool PitcherOnSheet();
    void LogPlay(const QString& literal);
    void RecordBatterCount(int column);
    void AddOuts(int outs);
    void RecordHit(int batterColumn, const QString& literal, bool homeRun);
    void RecordOut(const QString& literal, int outs);
    void pb_Player_Click(int piece);  // 1 to 4
    // ---- Runner pieces ----
    void pb_Player_MouseDown(int piece, double x, double y);
    void pb_Player_MouseMove(int piece, int button, int shift, double x, double y);
    void pb_Player_MouseUp(int piece, int shift);
    void pb_Player_DblClick(int piece);
    void lbl_Player_DblClick(int piece);
    void pb_BaseTracker_MouseMove(int button, int shift, double x, double y);
    void lbl_tracker_Click(int marker);  // 1 to 3
    // Empties a piece's picture and caption; its own double-click also
    // forgets the player's name.
    void ClearPiece(int piece, bool forgetName);
    // A piece is free when it shows neither a photo nor a name.
    bool PieceIsFree(int piece) const;
    // Per piece: where the press was (board coordinates), whether the
    // pointer has since travelled far enough to be a drag rather than a
    // click, and the modifier keys at the last release.
    std::array<QPoint, 4> piecePress_{};
    std::array<bool, 4> pieceDragged_{};
    std::array<int, 4> pieceReleaseShift_{};

    // ---- Ballparks ----
    QString shownParkFile() const;
    // Fits the background at the box's size, skipped while there is none;
    // a failure is reported, never thrown.
    void fitBallpark();
    // Reads the picture and, when it can be shown, makes it the chosen one.
    bool showBallpark(const QString& path);
    void reportBallparkFailure(const QString& path, int number, const QString& description);
    QString parkDialogFile_;  // the dialog's file name, "" after a cancel
    std::unique_ptr<ballparks::Pictures> parkPictures_;
    QSet<QString> reportedParkFailures_;

    Form2* form2_ = nullptr;
    Options* options_ = nullptr;
    // The notice window every play's notice is shown in.
    std::unique_ptr<CustMsgBox> notice_;
    std::unique_ptr<ControlResizer> resizer_;
    bool closing_ = false;
};
