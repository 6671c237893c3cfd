#pragma once
// The board: the main window and the scorebook of the one game a run
// records. The live game is held in the controls themselves (texts, colours,
// which option is set); there is no separate game object to drift from them.
// The board is built from panels, each of which owns its controls and lays
// them out; the board keeps every control's name as a member that points
// into its panel. The class's handlers and routines are implemented across
// several files of this folder, one per concern, all sharing this header.
#include "board/board_notices.h"
#include "board/dice_panel.h"
#include "board/line_score_panel.h"
#include "board/options_panel.h"
#include "board/outcome_panel.h"
#include "board/play_controls.h"
#include "board/runners.h"
#include "board/side_panel.h"
#include "platform/events.h"
#include "presentation/ballparks.h"
#include "presentation/picture_box.h"
#include "stats_sheet/sheet_board.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

class QMenuBar;
class QFrame;
class Form2;
class Options;
class ControlResizer;

using board::SideControls;

class Form1 : public QWidget, public SheetBoard {
    Q_OBJECT
public:
    Form1();
    ~Form1() override;

    // Start-up: prepares every window the game needs, restores the saved
    // captions and fits the board to the screen. Returns false when a step
    // failed (the "Program Error" box has been shown).
    bool Form_Load();
    // Run by the window's close; true when the board may close.
    bool Form_QueryUnload();

    // The statistics sheet, built at its first use (a team load, a pitcher,
    // a play, STATS, a line-score box taking the focus). A sheet that cannot
    // be built ends the program, as it did when the sheet was built at
    // start: nullptr then.
    Form2* statsSheet() const;
    // The controls of the visitors or of the home side (any side not the
    // visitors).
    SideControls side(board::Side s) const;
    // The controls a play reads and writes.
    board::PlayControls play();

    // ---- What the statistics sheet reads and writes of the board ----
    QWidget* boardWindow() override { return this; }
    void sheetClicked() override;
    QString selectedLineupEntry(board::Side s) const override;
    QString currentPitcher(board::Side s) const override;
    QString lineScoreRuns(board::Side s) const override;
    double outsInTheField(board::Side fielding) const override;
    void pitcherSaved(board::Side s, const QString& pitcher) override;
    Options* eventLog() const { return options_; }
    ControlResizer& resizer();

    // ---- The event log ----
    // Appends one line (subject, code literal such as "_____K", CR LF).
    void AppendEventLogLine(const QString& subject, const QString& literal);
    // Appends "[innings completed]" CR LF from the cumulative outs; false
    // (nothing written) when they are not a number.
    bool AppendHalfInningMarker();
    QString EventLogText() const;

    // ---- Menus ----
    void mnuStatistics_Click();
    void mnuEventLog_Click();
    void mnu_Options_Click();  // also the options panel's "X"
    void About_Click();

    // ---- Board handlers of the board window itself ----
    void cb_Xinnings_Click();
    void cb_BaseTracker_Click();
    void lbl_STATS_Click();
    void SupplementalResize();
    void tmr_Constant_Timer();
    void chk_Ctrls_Click();  // "HIDE CONTROLS"

    // ---- Teams, batters and pitchers ----
    // "V" and "H": a team file picked in the dialog is loaded into the side.
    void openTeam(board::Side s);
    void loadTeam(board::Side s);
    void showTeamLogo(board::Side s);
    // A double-click on a side's logo: the picked picture on the board and
    // on the sheet.
    void pickLogo(board::Side s);
    // A side's "AT BAT" set.
    void colourBattingSide(board::Side s);
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    // A click on a lineup entry: the batter picked and put on a piece.
    void pickBatter(board::Side s);
    // A double-click on a side's pitcher label: the selected entry pitches.
    void changePitcher(board::Side s);
    void CalcPitcherIP(board::Side s);

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
    void ScoreUpdate();  // also "UPDATE"
    void ConstantUpdate();
    // A line-score box took the focus: the number pad writes into it.
    void lineScoreBoxFocused(board::Side s, int index);
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
    void AddOuts(int outs);
    void StolenBase(int pieceIndex);
    void pb_Player_Click(int piece);  // 1 to 4

    // ---- Photo folder ----
    void lbl_PhotoPath_Click();
    void tb_PhotoPath_DblClick();

    // ---- Dice switches and sounds ----
    void Check4_Click();    // "SHOW DICE ROLLER"
    void cb_Crowd_Click();  // "CROWD NOISE"
    // ---- Charts, pages and the About box ----
    void lbl_chrt_Click(int chart);  // lbl_chrt1 .. lbl_chrt9 (chart 1 to 9)
    void tb_chrt_DblClick(int chart);
    void lbl_rules_Click();
    void lbl_help_Click();
    void Image7_Click();  // the options panel's donation picture

    // ---- Runner pieces ----
    void ClearBases();  // also "RESET"

    // ---- Ballparks ----
    void Command9_Click();  // "BALLPARKS"
    void Random_Ballparks();
    // Fits the picture shown (the chosen one, else the default) to the
    // background; a failure is thrown to the caller.
    void ImageFit();
    // The same at the box's size, skipped while there is none; a failure is
    // reported, never thrown.
    void fitBallpark();
    // The background's size in device pixels.
    QSize parkPixels() const;
    const ballparks::Pictures& ballparkPictures() const { return *parkPictures_; }

    // ---- The panels ----
    board::LineScorePanel lineScore;
    board::OutcomePanel outcomes;
    board::SidePanel visitorsSide;
    board::SidePanel homeSide;
    board::RunnerPieces pieces;
    board::OptionsPanel optionsPanel;
    board::DicePanel dice;
    // The notice box every play's notice is shown in.
    board::Notices notices{this};

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

    // The line score.
    QFrame*& Frame3 = lineScore.Frame3;
    QFrame*& Frame1 = lineScore.Frame1;
    QLabel*& lbl_Frame1Caption = lineScore.lbl_Frame1Caption;
    board::LineScorePanel::Row& tb_BoxScore = lineScore.tb_BoxScore;
    board::LineScorePanel::Row& tb_BoxScoreBottom = lineScore.tb_BoxScoreBottom;
    std::array<ClickLabel*, 10>& lbl_Digit = lineScore.lbl_Digit;
    std::array<QLabel*, 3>& lbl_RHE = lineScore.lbl_RHE;
    std::array<QLabel*, 10>& lbl_XinnHead = lineScore.lbl_XinnHead;
    QLineEdit*& tb_VisTeam = lineScore.tb_VisTeam;
    QLineEdit*& tb_HomeTeam = lineScore.tb_HomeTeam;
    QLabel*& lbl_OUTS = lineScore.lbl_OUTS;
    QLineEdit*& tb_OUT = lineScore.tb_OUT;
    QPushButton*& Command11 = lineScore.Command11;
    QPushButton*& Command9 = lineScore.Command9;
    QPushButton*& Command5 = lineScore.Command5;
    QCheckBox*& cb_Xinnings = lineScore.cb_Xinnings;

    // The play panel and its outcome labels.
    ClickLabel*& pb_Res = outcomes.pb_Res;
    ClickLabel*& lbl_Single = outcomes.lbl_Single;
    ClickLabel*& lbl_Double = outcomes.lbl_Double;
    ClickLabel*& lbl_Triple = outcomes.lbl_Triple;
    ClickLabel*& lbl_Homer = outcomes.lbl_Homer;
    ClickLabel*& lbl_BB = outcomes.lbl_BB;
    ClickLabel*& lbl_K = outcomes.lbl_K;
    ClickLabel*& lbl_GO = outcomes.lbl_GO;
    ClickLabel*& lbl_FO = outcomes.lbl_FO;
    ClickLabel*& lbl_LO = outcomes.lbl_LO;
    ClickLabel*& lbl_PO = outcomes.lbl_PO;
    ClickLabel*& lbl_FC = outcomes.lbl_FC;
    ClickLabel*& lbl_DP = outcomes.lbl_DP;
    ClickLabel*& lbl_Pick = outcomes.lbl_Pick;
    ClickLabel*& lbl_AB = outcomes.lbl_AB;
    ClickLabel*& lbl_RBI = outcomes.lbl_RBI;
    ClickLabel*& lbl_SB = outcomes.lbl_SB;
    ClickLabel*& lbl_STATS = outcomes.lbl_STATS;

    // The sides: lineups, batting side, pitchers.
    QPushButton*& Command6 = visitorsSide.load;  // "V"
    QPushButton*& Command7 = homeSide.load;      // "H"
    QRadioButton*& Option5 = visitorsSide.atBat;  // visitors "AT BAT"
    QRadioButton*& Option6 = homeSide.atBat;      // home "AT BAT"
    ListBox*& List1 = visitorsSide.lineup;
    ListBox*& List2 = homeSide.lineup;
    QPushButton*& Command2 = visitorsSide.up;   // visitors "UP"
    QPushButton*& Command3 = visitorsSide.down; // visitors "DN"
    QPushButton*& Command8 = homeSide.up;       // home "UP"
    QPushButton*& Command4 = homeSide.down;     // home "DN"
    QCheckBox*& Check1 = visitorsSide.edit;     // visitors "EDIT"
    QCheckBox*& Check2 = homeSide.edit;         // home "EDIT"
    QLineEdit*& tb_List1edit = visitorsSide.editBox;
    QLineEdit*& tb_List2edit = homeSide.editBox;
    ClickLabel*& lbl_VisPitcher = visitorsSide.pitcher;  // hiddenText: ReplacedPitcher
    ClickLabel*& lbl_HomePitcher = homeSide.pitcher;     // hiddenText: ReplacedPitcher
    PictureBox*& img_VisPitch = visitorsSide.pitcherPhoto;
    PictureBox*& img_HomePitch = homeSide.pitcherPhoto;
    PictureBox*& img_VisLogo = visitorsSide.logo;
    PictureBox*& img_HomeLogo = homeSide.logo;

    // Runner pieces: picture box (hiddenText: PiecePlayerName), caption
    // label, and the hidden token image that holds the photo and the size.
    std::array<PictureBox*, 4>& pb_Player = pieces.pb_Player;
    std::array<ClickLabel*, 4>& lbl_Player = pieces.lbl_Player;
    std::array<PictureBox*, 4>& Image = pieces.Image;  // Image2 .. Image5
    ClickLabel*& pb_BaseTracker = pieces.pb_BaseTracker;
    std::array<ClickLabel*, 3>& lbl_tracker = pieces.lbl_tracker;
    QLabel*& Label1 = pieces.Label1;

    // Options panel.
    QFrame*& fra_Options = optionsPanel.fra_Options;
    ClickLabel*& Label9 = optionsPanel.Label9;
    QLabel*& Label3 = optionsPanel.Label3;
    QLineEdit*& tb_OutsCount = optionsPanel.tb_OutsCount;
    QCheckBox*& Check4 = optionsPanel.Check4;
    QCheckBox*& cb_MuteDice = optionsPanel.cb_MuteDice;
    QCheckBox*& cb_Crowd = optionsPanel.cb_Crowd;
    QCheckBox*& cb_BaseTracker = optionsPanel.cb_BaseTracker;
    QCheckBox*& chk_Ctrls = optionsPanel.chk_Ctrls;
    QCheckBox*& cb_RandParks = optionsPanel.cb_RandParks;
    QLabel*& Label6 = optionsPanel.Label6;
    QPushButton*& cmd_FotoBig = optionsPanel.cmd_FotoBig;
    QPushButton*& cmd_FotoSmall = optionsPanel.cmd_FotoSmall;
    ClickLabel*& Image7 = optionsPanel.Image7;
    QLabel*& Label8 = optionsPanel.Label8;
    QLabel*& Label11 = optionsPanel.Label11;
    ClickLabel*& lbl_PhotoPath = optionsPanel.lbl_PhotoPath;
    QLineEdit*& tb_PhotoPath = optionsPanel.tb_PhotoPath;

    // Chart captions.
    std::array<ClickLabel*, 9> lbl_chrt{};  // lbl_chrt1 .. lbl_chrt9
    std::array<QLineEdit*, 9> tb_chrt{};    // tb_chrt1 .. tb_chrt9, each over its label
    ClickLabel* lbl_rules = nullptr;         // "RULES"
    ClickLabel* lbl_help = nullptr;          // "ZRQ HELP"

    // The dice.
    QFrame*& fra_FaceDice = dice.fra_FaceDice;
    ClickLabel*& lbl_20die = dice.lbl_20die;
    std::array<std::array<PictureBox*, 6>, 3>& ImageFaces = dice.ImageFaces;
    QPushButton*& cmd_Roll = dice.cmd_Roll;
    QLineEdit*& tb_DieCount = dice.tb_DieCount;
    QTimer*& tmr_FaceDice = dice.tmr_FaceDice;
    QFrame*& fra_ColourDice = dice.fra_ColourDice;
    QLabel*& lbl_R10 = dice.lbl_R10;
    QLabel*& lbl_W10 = dice.lbl_W10;
    QLabel*& lbl_B10 = dice.lbl_B10;
    QLabel*& lbl_Y10 = dice.lbl_Y10;
    QLabel*& lbl_G20 = dice.lbl_G20;
    QLabel*& lbl_BLK4 = dice.lbl_BLK4;
    QLabel*& lbl_SPECK12 = dice.lbl_SPECK12;
    QLabel*& lbl_P6 = dice.lbl_P6;
    DieBody*& shp_R10 = dice.shp_R10;
    DieBody*& shp_W10 = dice.shp_W10;
    DieBody*& shp_B10 = dice.shp_B10;
    DieBody*& shp_Y10 = dice.shp_Y10;
    DieBody*& shp_G20 = dice.shp_G20;
    DieBody*& shp_BLK4 = dice.shp_BLK4;
    DieBody*& shp_SPECK12 = dice.shp_SPECK12;
    DieBody*& shp_P6 = dice.shp_P6;
    QPushButton*& Command1 = dice.Command1;
    QLabel*& lblDiceTime = dice.lblDiceTime;
    QTimer*& tmrDice2 = dice.tmrDice2;
    QTimer*& tmr_F12detect = dice.tmr_F12detect;

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

    // The pointer at the last press on the top frame or the bare window,
    // relative to it; (0, 0) again after a move without the left button
    // alone over a dragged panel.
    QPoint DragOrigin;

    // Ballparks: the picture last chosen ("" while the default shows), the
    // folder of the last dialog pick (ending in a separator) and its
    // candidate pictures.
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
    void buildCharts();
    void wireCharts();

    // Set while tb_OUT_Change settles a count above 3 to "3", so that write
    // does not end a second half-inning.
    bool outsRewriting_ = false;
    // The side at bat when the last play wrote its outs: the third out's
    // at-bat goes to that side's batter although the sides have switched.
    board::Side outsSide_ = board::Side::None;

    QString parkDialogFile_;  // the dialog's file name, "" after a cancel
    std::unique_ptr<ballparks::Pictures> parkPictures_ = std::make_unique<ballparks::Pictures>();
    // Lets the ballpark's whole picture go a while after the last resize.
    QTimer parkWholeRelease_;
    QSet<QString> reportedParkFailures_;

    bool buildSheet();
    // Built by statsSheet(), which a const caller may be the first to ask.
    mutable Form2* form2_ = nullptr;
    bool sheetFailed_ = false;
    Options* options_ = nullptr;
    std::unique_ptr<ControlResizer> resizer_;
    bool closing_ = false;
};

// The wiring of each concern's controls to its handlers, defined in that
// concern's file.
namespace board {
void wireBoard(Form1& f);
void wireTeams(Form1& f);
void wireProgress(Form1& f);
void wirePlays(Form1& f);
void wirePieces(Form1& f);
void wirePhotos(Form1& f);
void wireDice(Form1& f);
void wireBallparks(Form1& f);
void wireFeedback(Form1& f);
}  // namespace board
