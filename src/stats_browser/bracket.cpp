// The tournament bracket: sixteen teams in five rounds that the user fills
// in by hand from the text box. It knows nothing of the database and never
// advances a team; its only service is to keep the 31 names between runs,
// in the settings store, read at every opening and written at every close.
#include "stats_browser/form4.h"

#include "common/colours.h"
#include "common/settings.h"
#include "platform/events.h"
#include "platform/guarded.h"
#include "platform/interaction.h"
#include "platform/look.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr std::uint32_t ChampColour = 0x00FF8080;
constexpr std::uint32_t ResetColour = 0x00FFC0C0;
constexpr std::uint32_t Blue = 0x00FF0000;

QString boxed(std::uint32_t fore, std::uint32_t back)
{
    return colours::style(fore, back) + QStringLiteral("border: 1px solid black;");
}

}  // namespace

void Form4::buildBracket()
{
    QWidget* page = TabPage[7];
    tb_Team = new QLineEdit(page);
    tb_Team->setObjectName(QStringLiteral("tb_Team"));
    placeOnTab(tb_Team, 9975, 375, 1965, 315);

    cmd_Reset = new QPushButton(QStringLiteral("RESET"), page);
    cmd_Reset->setObjectName(QStringLiteral("cmd_Reset"));
    cmd_Reset->setAutoDefault(false);
    cmd_Reset->setFont(look::font(QStringLiteral("Arial"), 9.75, true));
    cmd_Reset->setStyleSheet(colours::styleOn(ResetColour));
    placeOnTab(cmd_Reset, 10650, 7725, 1290, 465);
    connect(cmd_Reset, &QPushButton::clicked, this, [this] { guarded([this] { cmd_Reset_Click(); }); });

    lbl_instr = new QLabel(
        QStringLiteral(" Enter team name etc into the box at the top right; double-click the desired label to add the text."),
        page);
    lbl_instr->setObjectName(QStringLiteral("lbl_instr"));
    lbl_instr->setAlignment(Qt::AlignCenter);
    lbl_instr->setFont(look::font(QStringLiteral("Arial Narrow"), 9, true));
    lbl_instr->setStyleSheet(boxed(Blue, colours::LightGrey));
    placeOnTab(lbl_instr, 675, 4200, 6765, 315);

    // A slot's caption is whatever the user typed or the store held: plain
    // text, never markup.
    auto slot = [this, page](ClickLabel*& label, const QString& name, double left, double top, std::uint32_t back,
                             std::function<void()> onClick) {
        label = new ClickLabel(page);
        label->setObjectName(name);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(look::font(QStringLiteral("Arial"), 11.25));
        label->setStyleSheet(boxed(colours::White, back));
        placeOnTab(label, left, top, 1965, 315);
        connect(label, &ClickLabel::Click, this, [onClick = std::move(onClick)] { guarded(onClick); });
    };
    const double round1[16] = {525, 900, 1425, 1800, 2325, 2700, 3225, 3600,
                               4800, 5175, 5700, 6075, 6600, 6975, 7500, 7875};
    const double round2[8] = {750, 1650, 2550, 3375, 5025, 5925, 6825, 7650};
    const double round3[4] = {1200, 2925, 5475, 7200};
    const double round4[2] = {2100, 6375};
    for (int i = 0; i < 16; ++i)
        slot(lbl_Team[i], QStringLiteral("lbl_Team(%1)").arg(i), 675, round1[i], colours::DarkGrey,
             [this, i] { lbl_Team_Click(i); });
    for (int i = 0; i < 8; ++i)
        slot(lbl_TeamRnd2[i], QStringLiteral("lbl_TeamRnd2(%1)").arg(i), 3150, round2[i], colours::DarkGrey,
             [this, i] { lbl_TeamRnd2_Click(i); });
    for (int i = 0; i < 4; ++i)
        slot(lbl_TeamRnd3[i], QStringLiteral("lbl_TeamRnd3(%1)").arg(i), 5550, round3[i], colours::DarkGrey,
             [this, i] { lbl_TeamRnd3_Click(i); });
    for (int i = 0; i < 2; ++i)
        slot(lbl_TeamRnd4[i], QStringLiteral("lbl_TeamRnd4(%1)").arg(i), 8025, round4[i], colours::DarkGrey,
             [this, i] { lbl_TeamRnd4_Click(i); });
    slot(lbl_Champ, QStringLiteral("lbl_Champ"), 9450, 4200, ChampColour, [this] { lbl_Champ_Click(); });
}

std::vector<std::pair<ClickLabel*, QString>> Form4::bracketSlots() const
{
    // A slot's key is its control name, which is also its object name.
    std::vector<std::pair<ClickLabel*, QString>> all;
    auto add = [&all](ClickLabel* const* group, int count) {
        for (int i = 0; i < count; ++i)
            all.emplace_back(group[i], group[i]->objectName());
    };
    add(lbl_Team, 16);
    add(lbl_TeamRnd2, 8);
    add(lbl_TeamRnd3, 4);
    add(lbl_TeamRnd4, 2);
    all.emplace_back(lbl_Champ, lbl_Champ->objectName());
    return all;
}

// A click places the box's text unchanged (an empty box clears the slot);
// the box keeps its text, so one name can go into several slots in a row.
// Each handler acts only for the indices of its own row of slots.
void Form4::lbl_Team_Click(int Index)
{
    placeTeam(lbl_Team, 16, Index);
}

void Form4::lbl_TeamRnd2_Click(int Index)
{
    placeTeam(lbl_TeamRnd2, 8, Index);
}

void Form4::lbl_TeamRnd3_Click(int Index)
{
    placeTeam(lbl_TeamRnd3, 4, Index);
}

void Form4::lbl_TeamRnd4_Click(int Index)
{
    placeTeam(lbl_TeamRnd4, 2, Index);
}

void Form4::placeTeam(ClickLabel* const* round, int count, int index)
{
    if (index >= 0 && index < count)
        showInSlot(round[index], tb_Team->text());
}

void Form4::showInSlot(ClickLabel* slot, const QString& name)
{
    // A long name shrinks, as the sheet's team labels do; one too long even
    // then shows from its first letter.
    constexpr int Pad = 3;
    const int room = slot->contentsRect().width() - 2 * Pad;
    const QFont f = look::shrunkToFit(look::font(QStringLiteral("Arial"), 11.25), name, room, 6.0);
    slot->setFont(f);
    const bool fits = QFontMetrics(f).horizontalAdvance(name) <= room;
    slot->setAlignment((fits ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    slot->setIndent(fits ? -1 : Pad);
    slot->setText(name);
}

void Form4::lbl_Champ_Click()
{
    showInSlot(lbl_Champ, tb_Team->text());
}

void Form4::cmd_Reset_Click()
{
    // Erasing is not undone: No is the answer a stray Enter or Escape gives.
    if (platform::interaction().msgBox(QStringLiteral("Erase entire tournament bracket?"),
                                       QMessageBox::Yes | QMessageBox::No, QStringLiteral("Question"),
                                       QMessageBox::NoIcon, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    // The store keeps the old names until the window closes.
    for (const auto& [label, key] : bracketSlots())
        label->clear();
}

void Form4::restoreBracket()
{
    QStringList keys;
    const auto all = bracketSlots();
    for (const auto& s : all)
        keys << s.second;
    const QStringList values = settings::GetSettings(keys);
    for (size_t i = 0; i < all.size(); ++i)
        showInSlot(all[i].first, values.value(qsizetype(i)));
}

void Form4::saveBracket()
{
    // Every key on every close, empty ones too: the store always holds the
    // bracket as last shown. A store that refuses the write must not keep
    // the window from closing.
    std::vector<std::pair<QString, QString>> values;
    for (const auto& [label, key] : bracketSlots())
        values.emplace_back(key, label->text());
    try {
        settings::SaveSettings(values);
    } catch (...) {
    }
}
