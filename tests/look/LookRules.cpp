#include "LookRules.h"

#include "library/xDBEdit.h"
#include "library/xDBGrid.h"
#include "platform/db/Field.h"
#include "platform/ui/DBControls.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/Glyphs.h"
#include "shell/DMZal.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStackedWidget>
#include <QStyleOptionHeader>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QTextEdit>

#include <functional>

namespace {

QString sizeText(const QSize &s)
{
    return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
}

bool shown(const QWidget *w, const QWidget *window)
{
    return w->isVisibleTo(window) && w->isVisible();
}

// Parts of a compound control (a combo's or spin box's own edit, a grid's cell editor) are its own business.
bool partOfAnother(const QWidget *w, const QWidget *window)
{
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QComboBox *>(p) || qobject_cast<const QAbstractSpinBox *>(p) ||
            qobject_cast<const QAbstractItemView *>(p))
            return true;
    return false;
}

// A field: a data-aware control or an edit a person types into.
bool isField(const QWidget *w)
{
    return dynamic_cast<const TDBControl *>(w) || qobject_cast<const QLineEdit *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QTextEdit *>(w);
}

// A caption: a label of text that is not a field's value.
bool isCaption(const QWidget *w)
{
    const auto *label = qobject_cast<const QLabel *>(w);
    if (!label || dynamic_cast<const TDBControl *>(w) || label->text().isEmpty())
        return false;
    return label->textFormat() == Qt::PlainText ||
           (label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(label->text()));
}

// Whether the control can be seen whole: inside every parent up to its window, but for a scrolled view's
// page, whose content may rightly lie beyond what is scrolled into view.
QString outside(const QWidget *w, const QWidget *window)
{
    QRect r = w->rect();
    const QWidget *child = w;
    for (const QWidget *p = w->parentWidget(); p; child = p, p = p->parentWidget()) {
        r.translate(child->pos());
        if (auto *area = qobject_cast<const QAbstractScrollArea *>(p->parentWidget()); area && area->viewport() == p)
            return QString();
        if (!p->rect().contains(r))
            return QStringLiteral("lies outside %1 (%2 at %3,%4 in %5)")
                .arg(p == window ? QStringLiteral("its window") : ControlName(p), sizeText(r.size()),
                     QString::number(r.x()), QString::number(r.y()), sizeText(p->size()));
        if (p == window)
            break;
    }
    return QString();
}

QStringList overlaps(const QWidget *w, const QWidget *window)
{
    QStringList found;
    const QWidget *parent = w->parentWidget();
    if (!parent)
        return found;
    for (QObject *o : parent->children()) {
        auto *other = qobject_cast<QWidget *>(o);
        if (!other || other == w || other->isWindow() || !shown(other, window))
            continue;
        const QRect common = w->geometry().intersected(other->geometry());
        if (common.width() > 1 && common.height() > 1)
            found << QStringLiteral("overlaps %1").arg(ControlName(other));
    }
    return found;
}

// The texts a state or a code column shows: each must fit its column whole.
const QStringList &stateTexts()
{
    static const QStringList texts = [] {
        QStringList t;
        for (int state = stVystavena; state <= stStornovana; ++state)
            if (const QString name = TDMZal::OrderStateName(state); name != QString::number(state))
                t << name;
        return t;
    }();
    return texts;
}

bool isCode(const QString &text)
{
    static const QRegularExpression code(QStringLiteral("^(?=.*\\p{L})[\\p{L}\\p{N}_./-]{1,12}$"));
    return code.match(text).hasMatch();
}

// A number, a date or a time: cut, it shows a different value or none.
bool isNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^-?\\d[\\d .,:/-]{0,18}$"));
    return number.match(text).hasMatch();
}

// The columns of a grid over a data set whose titles show their fields' raw names. A grid on a page not chosen
// now is judged by the columns its data set gives fields: the page opens the data set when it is chosen.
QStringList rawTitleProblems(const QTableView *grid, bool shownNow)
{
    QStringList found;
    const auto *model = qobject_cast<const TDataSetModel *>(grid->model());
    const QHeaderView *header = grid->horizontalHeader();
    if (!model || header->isHidden())
        return found;
    for (int col = 0; col < model->ColumnCount() && col < header->count(); ++col) {
        if (header->isSectionHidden(col) || (!shownNow && !model->Column(col)->Field()))
            continue;
        const QString title = model->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
        if (RawFieldNameTitle(title, model->Column(col)->FieldName))
            found << QStringLiteral("%1 column \"%2\": column shows a raw field name").arg(ControlName(grid), title);
    }
    return found;
}

// Whether a person sees the control now or by choosing the page it is on: nothing between it and its window is
// hidden but the pages of a page control not chosen now.
bool onSomePage(const QWidget *w, const QWidget *window)
{
    for (; w && w != window; w = w->parentWidget())
        if (w->isHidden() && !qobject_cast<const QStackedWidget *>(w->parentWidget()))
            return false;
    return w == window;
}

// The raw-name rule over every grid of the window, also those on pages not chosen now: a title reads the same on
// any page.
QStringList rawTitles(QWidget *window, bool shownOnly = false)
{
    QStringList found;
    for (const QTableView *grid : window->findChildren<QTableView *>())
        if (grid->window() == window && onSomePage(grid, window) && !partOfAnother(grid, window) &&
            (!shownOnly || shown(grid, window)))
            found << rawTitleProblems(grid, shown(grid, window));
    return found;
}

// Chooses every page of every page control within `root` in turn, as a person looks through them, and runs
// `look` with each chosen (the page controls on a page within each page); the pages chosen before are chosen
// again after. A page opens its data when it is shown, so only a shown page tells what its grids show.
void eachPage(QWidget *window, QWidget *root, const std::function<void()> &look)
{
    for (QTabWidget *tabs : root->findChildren<QTabWidget *>()) {
        if (tabs->window() != window || !tabs->isVisible())
            continue;
        bool nested = false;
        for (QWidget *p = tabs->parentWidget(); p && p != root && !nested; p = p->parentWidget())
            nested = qobject_cast<QTabWidget *>(p) != nullptr;
        if (nested)
            continue;
        const int chosen = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            if (!tabs->isTabEnabled(i) || !tabs->isTabVisible(i))
                continue;
            tabs->setCurrentIndex(i);
            for (int round = 0; round < 3; ++round)
                QCoreApplication::processEvents();
            look();
            eachPage(window, tabs->widget(i), look);
        }
        tabs->setCurrentIndex(chosen);
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
    }
}

QStringList gridProblems(const QTableView *grid)
{
    QStringList found;
    const QAbstractItemModel *model = grid->model();
    const QHeaderView *header = grid->horizontalHeader();
    if (!model)
        return found;
    const int margin = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
    const QFontMetrics cellFont(grid->font());
    const int rows = std::min(model->rowCount(), 500);
    for (int col = 0; col < model->columnCount(); ++col) {
        if (header->isSectionHidden(col) || header->sectionSize(col) <= 0)
            continue;
        const int width = header->sectionSize(col);
        const QString title = model->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
        const QString name = QStringLiteral("%1 column \"%2\"").arg(ControlName(grid), title);
        if (header->isVisible() && !title.isEmpty()) {
            // The program's grids draw their titles and sort arrows themselves; another view as its style does.
            int needed;
            if (auto *dbGrid = qobject_cast<const TDBGrid *>(grid); dbGrid && col < dbGrid->ColumnCount()) {
                needed = dbGrid->TitleWidth(dbGrid->Columns(col));
            } else {
                QStyleOptionHeader opt;
                opt.initFrom(header);
                opt.section = col;
                opt.text = title;
                opt.fontMetrics = header->fontMetrics();
                needed = header->style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), header).width();
            }
            if (width < needed)
                found << QStringLiteral("%1: title cut (%2 px, needs %3)")
                             .arg(name, QString::number(width), QString::number(needed));
        }
        QString widest;
        bool states = false;
        for (int row = 0; row < rows; ++row) {
            const QString text = model->data(model->index(row, col), Qt::DisplayRole).toString().trimmed();
            if (stateTexts().contains(text))
                states = true;
            else if ((isCode(text) || isNumber(text)) &&
                     cellFont.horizontalAdvance(text) > cellFont.horizontalAdvance(widest))
                widest = text;
        }
        if (states)
            for (const QString &state : stateTexts())
                if (cellFont.horizontalAdvance(state) > cellFont.horizontalAdvance(widest))
                    widest = state;
        if (!widest.isEmpty() && width < cellFont.horizontalAdvance(widest) + margin)
            found << QStringLiteral("%1: \"%2\" cut (%3 px, needs %4)")
                         .arg(name, widest, QString::number(width),
                              QString::number(cellFont.horizontalAdvance(widest) + margin));
    }
    return found;
}

// A page of a page control that shows nothing to read or fill in: no field, no check or radio box, no grid or
// list.
QString emptyPage(const QTabWidget *tabs, const QWidget *window)
{
    const QWidget *page = tabs->currentWidget();
    if (!page)
        return QString();
    for (const QWidget *w : page->findChildren<QWidget *>())
        if (const auto *box = qobject_cast<const QAbstractButton *>(w);
            shown(w, window) &&
            (isField(w) || qobject_cast<const QAbstractItemView *>(w) || (box && box->isCheckable())))
            return QString();
    return QStringLiteral("page \"%1\" shows no field")
        .arg(tabs->tabText(tabs->currentIndex()).remove(QLatin1Char('&')));
}

// A sort arrow is drawn at a title's right edge, over the title centred in its section (bold where a title
// click sorts). Every column that can show the arrow (the one the rows are sorted by, and every data column
// of a grid sorted by title clicks) must keep its whole title clear of the arrow and inside the section.
QStringList sortArrowProblems(const TxCustomDBGrid *grid)
{
    QStringList found;
    const QHeaderView *header = grid->horizontalHeader();
    if (!header->isVisible())
        return found;
    const int arrow = Glyph(QStringLiteral("ORDERBY_ASC")).width();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int col = 0; col < grid->ColumnCount(); ++col) {
        if (header->isSectionHidden(col) || header->sectionSize(col) <= 0)
            continue;
        const TColumn *c = grid->Columns(col);
        const TField *f = c->Field();
        const bool byClick = grid->TitleClickToOrderBy() && f && f->FieldKind() == fkData;
        if (!byClick && grid->OrderState(col) == 0)
            continue;
        QFont font = c->TitleFont ? *c->TitleFont : header->font();
        font.setBold(font.bold() || byClick);
        const int text = QFontMetrics(font).horizontalAdvance(c->Title());
        const int width = header->sectionSize(col);
        // The centred text ends at (width + text) / 2; the arrow starts at width - arrow - 4, a pixel apart.
        const int needed = std::max(text + 2 * margin, text + 2 * (arrow + 5));
        if (width < needed)
            found << QStringLiteral("%1 column \"%2\": title cut by its sort arrow (%3 px, needs %4)")
                         .arg(ControlName(grid), c->Title(), QString::number(width), QString::number(needed));
    }
    return found;
}

// The field a caption stands for: the data-aware control's field, or that of a captioned data edit.
QString boundField(const QWidget *w)
{
    if (const auto *edit = qobject_cast<const TxDBEdit *>(w))
        return edit->DataField();
    if (const auto *control = dynamic_cast<const TDBControl *>(w))
        return control->DataField();
    return QString();
}

// The captions of the window's fields that show their field's raw name: a captioned data edit's own caption
// and the label of a form row beside a data-aware control.
QStringList rawCaptions(QWidget *window)
{
    QStringList found;
    const auto check = [&](const QWidget *control, const QString &caption) {
        if (shown(control, window) && RawFieldNameTitle(caption, boundField(control)))
            found << QStringLiteral("%1: caption shows a raw field name (\"%2\")").arg(ControlName(control), caption);
    };
    for (const TxDBEdit *edit : window->findChildren<TxDBEdit *>())
        if (edit->window() == window)
            check(edit, edit->Caption());
    for (const QFormLayout *form : window->findChildren<QFormLayout *>()) {
        for (int row = 0; row < form->rowCount(); ++row) {
            const QLayoutItem *label = form->itemAt(row, QFormLayout::LabelRole);
            const QLayoutItem *field = form->itemAt(row, QFormLayout::FieldRole);
            const auto *text = label ? qobject_cast<const QLabel *>(label->widget()) : nullptr;
            if (text && field && field->widget() && field->widget()->window() == window)
                check(field->widget(), text->text().remove(QLatin1Char('&')));
        }
    }
    return found;
}
} // namespace

bool RawFieldNameTitle(const QString &title, const QString &fieldName)
{
    // Abbreviations that are the caption a Slovak reader expects, written as the field is named.
    static const QStringList words{QStringLiteral("ABC"), QStringLiteral("DPH"), QStringLiteral("EAN"),
                                   QStringLiteral("MJ"), QStringLiteral("KP")};
    static const QRegularExpression identifier(QStringLiteral("^(?=.*[A-Z])[A-Z0-9_]{2,}$"));
    // The defect causes are titled by their numbers, Z01 to Z20, as the shop floor knows them.
    static const QRegularExpression defectCause(QStringLiteral("^Z(0[1-9]|1[0-9]|20)$"));
    const QString name = title.trimmed();
    return !name.isEmpty() && name.compare(fieldName.trimmed(), Qt::CaseInsensitive) == 0 &&
           identifier.match(name).hasMatch() && !words.contains(name) && !defectCause.match(name).hasMatch();
}

QString ControlName(const QWidget *control)
{
    const auto named = [](const QWidget *w) {
        return !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"));
    };
    if (named(control))
        return control->objectName();
    QString name = QString::fromLatin1(control->metaObject()->className());
    QString shows;
    if (auto *label = qobject_cast<const QLabel *>(control))
        shows = label->text();
    else if (auto *button = qobject_cast<const QAbstractButton *>(control))
        shows = button->text().remove(QLatin1Char('&'));
    if (!shows.isEmpty())
        return name + QStringLiteral(" \"") + shows.left(40) + QLatin1Char('"');
    // Else where it stands: the nearest named control around it and the page of a page control it is on.
    QString in, page;
    for (const QWidget *w = control; w->parentWidget() && !w->isWindow(); w = w->parentWidget()) {
        const QWidget *p = w->parentWidget();
        if (auto *tabs = qobject_cast<const QTabWidget *>(p ? p->parentWidget() : nullptr); tabs && page.isEmpty())
            if (const int i = tabs->indexOf(const_cast<QWidget *>(w)); i >= 0)
                page = tabs->tabText(i).remove(QLatin1Char('&'));
        if (in.isEmpty() && !p->isWindow() && named(p))
            in = p->objectName();
    }
    if (!in.isEmpty())
        name += QStringLiteral(" in ") + in;
    if (!page.isEmpty())
        name += QStringLiteral(" on page \"") + page + QLatin1Char('"');
    return name;
}

QStringList LookProblems(QWidget *window)
{
    QStringList found;
    const QSize frame = window->frameGeometry().size();
    if (frame.width() > ScreenWidth || frame.height() > ScreenHeight)
        found << QStringLiteral("window: larger than the screen (%1)").arg(sizeText(frame));

    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() != window || !shown(w, window) || partOfAnother(w, window))
            continue;
        QStringList rules;
        if (isField(w)) {
            const QSize min = w->minimumSizeHint();
            if (w->width() < min.width() || w->height() < min.height())
                rules << QStringLiteral("smaller than its minimum (%1 < %2)").arg(sizeText(w->size()), sizeText(min));
        } else if (isCaption(w)) {
            auto *label = static_cast<QLabel *>(w);
            const QSize needed =
                label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint();
            if (w->width() < needed.width() || w->height() < needed.height())
                rules << QStringLiteral("text cut (%1 < %2)").arg(sizeText(w->size()), sizeText(needed));
        } else if (qobject_cast<QAbstractButton *>(w)) {
            // A button is only checked to be there to be pressed.
            if (const QString away = outside(w, window); !away.isEmpty())
                found << ControlName(w) + QStringLiteral(": ") + away;
            continue;
        } else if (auto *grid = qobject_cast<QTableView *>(w)) {
            found << gridProblems(grid);
            if (auto *sorted = qobject_cast<const TxCustomDBGrid *>(grid))
                found << sortArrowProblems(sorted);
            continue;
        } else if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            if (const QString empty = emptyPage(tabs, window); !empty.isEmpty())
                found << ControlName(w) + QStringLiteral(": ") + empty;
            continue;
        } else {
            continue;
        }
        if (const QString away = outside(w, window); !away.isEmpty())
            rules << away;
        rules << overlaps(w, window);
        for (const QString &rule : rules)
            found << ControlName(w) + QStringLiteral(": ") + rule;
    }
    found << rawTitles(window);
    // A grid on a page not chosen may show what a shared data set holds for another page: only shown ones.
    eachPage(window, window, [&] { found << rawTitles(window, true); });
    found << rawCaptions(window);
    found.removeDuplicates();
    found.sort();
    return found;
}

void SaveLookPicture(QWidget *window, const QString &name)
{
    const QString folder = QStringLiteral(TARVIS_LOOK_DIR);
    QDir().mkpath(folder);
    // Written whole and then put in place: two tests that look at the same window write the same picture.
    QSaveFile file(QDir(folder).filePath(name + QStringLiteral(".png")));
    if (file.open(QIODevice::WriteOnly) && window->grab().save(&file, "PNG"))
        file.commit();
}
