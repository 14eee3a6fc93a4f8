#include "app/MainToolBar.h"

#include "app/AppIcons.h"
#include "base/Twips.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QIntValidator>
#include <QToolBar>

namespace {

enum class Style { Button, Separator, Placeholder, Group, Toggle };

struct ButtonSpec
{
    const char *key;
    const char *tooltip;
    const char *imageKey;
    Style style;
};

constexpr int fontSizeBoxWidth = 550;
constexpr int minFontPoints = 1;
constexpr int maxFontPoints = 1638;

constexpr ButtonSpec buttonSpecs[] = {
    {nullptr, nullptr, nullptr, Style::Separator},
    {"New", "New", "New", Style::Button},
    {"Open", "Open", "Open", Style::Button},
    {"Save", "Save", "Save", Style::Button},
    {nullptr, nullptr, nullptr, Style::Separator},
    {"Print", "Print", "Print", Style::Button},
    {nullptr, nullptr, nullptr, Style::Separator},
    {"Cut", "Cut", "Cut", Style::Button},
    {"Copy", "Copy", "Copy", Style::Button},
    {"Paste", "Paste", "Paste", Style::Button},
    {"Delete", "Delete", "Delete", Style::Button},
    {"Undo", "Undo", "Undo", Style::Button},
    {nullptr, nullptr, nullptr, Style::Separator},
    {"ChordBox", "ChordBox", "ChordBox", Style::Button},
    {"Copyright", "Insert Copyright", "Copyright", Style::Button},
    {"Spell Check", "Spell Check", "SpellCheck", Style::Button},
    {nullptr, nullptr, nullptr, Style::Separator},
    {"Font", "Font", "Font", Style::Button},
    {"FontSize", "Font Size", nullptr, Style::Placeholder},
    {nullptr, nullptr, nullptr, Style::Separator},
    {"Bold", "Bold", "Bold", Style::Toggle},
    {"Italic", "Italic", "Italic", Style::Toggle},
    {"Underline", "Underline", "Underline", Style::Toggle},
    {nullptr, nullptr, nullptr, Style::Separator},
    {"Align Left", "Align Left", "Left", Style::Group},
    {"Center", "Center", "Center", Style::Group},
    {"Align Right", "Align Right", "Right", Style::Group},
};

} // namespace

MainToolBar MainToolBar::create(QWidget *window)
{
    MainToolBar t;
    t.tbToolBar = new QToolBar(QStringLiteral("Toolbar"), window);
    t.tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    t.tbToolBar->setMovable(false);
    t.tbToolBar->setFloatable(false);
    t.tbToolBar->setIconSize(QSize(16, 16));
    // The View menu alone shows and hides the toolbar.
    t.tbToolBar->toggleViewAction()->setVisible(false);

    t.alignmentGroup = new QActionGroup(t.tbToolBar);
    // At most one alignment is pressed; none when paragraphs differ.
    t.alignmentGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);

    for (const ButtonSpec &spec : buttonSpecs) {
        QAction *action = nullptr;
        switch (spec.style) {
        case Style::Separator:
            action = t.tbToolBar->addSeparator();
            break;
        case Style::Placeholder: {
            t.cboFontSize = new QComboBox(t.tbToolBar);
            t.cboFontSize->setObjectName(QStringLiteral("cboFontSize"));
            t.cboFontSize->setEditable(true);
            // Whole points only, as large as a document's size can be.
            t.cboFontSize->setValidator(new QIntValidator(minFontPoints, maxFontPoints, t.cboFontSize));
            // The song keeps the keyboard; the box takes it only when clicked.
            t.cboFontSize->setFocusPolicy(Qt::ClickFocus);
            t.cboFontSize->setInsertPolicy(QComboBox::NoInsert);
            t.cboFontSize->setToolTip(QString::fromUtf8(spec.tooltip));
            t.cboFontSize->setMinimumWidth(Twips::toPixels(fontSizeBoxWidth) + 16);
            action = t.tbToolBar->addWidget(t.cboFontSize);
            break;
        }
        default:
            action = t.tbToolBar->addAction(AppIcons::icon(QString::fromUtf8(spec.imageKey)),
                                            QString::fromUtf8(spec.key));
            action->setToolTip(QString::fromUtf8(spec.tooltip));
            if (spec.style == Style::Toggle || spec.style == Style::Group)
                action->setCheckable(true);
            if (spec.style == Style::Group)
                t.alignmentGroup->addAction(action);
            break;
        }
        if (spec.key) {
            action->setData(QString::fromUtf8(spec.key));
            t.buttons.insert(QString::fromUtf8(spec.key), action);
        }
        t.positions.append(action);
    }
    return t;
}
