#include "DBGrid.h"

#include "DBControls.h"
#include "Dialogs.h"
#include "MaskEdit.h"
#include "Guarded.h"
#include "platform/db/DataSet.h"
#include "platform/os/Exception.h"
#include "platform/os/Format.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QStyleOptionHeader>
#include <QToolTip>
#include <algorithm>
#include <climits>
#include <exception>
#include <unordered_map>

// ---------------------------------------------------------------- cell painting and editors

class TDBGridDelegate : public QStyledItemDelegate {
public:
    explicit TDBGridDelegate(TDBGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        // A cell is its text and alignment on the view's font and palette: taken straight from the model
        // rather than through every item role (font, colours, decoration, check state) the model never sets.
        QStyleOptionViewItem opt(option);
        opt.index = index;
        opt.features |= QStyleOptionViewItem::HasDisplay;
        opt.text = grid_->model_->CellText(index.row(), index.column());
        opt.displayAlignment = grid_->model_->CellAlignment(index.column());
        grid_->paintCell(painter, opt, index);
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const TColumn *c = grid_->Columns(index.column());
        // Typing stops at the field's size, as in every edit of a field.
        const TField *f = c->Field();
        const int most = TypingLength(f, index.data(Qt::EditRole).toString());
        QWidget *editor;
        if (!c->PickList.isEmpty()) {
            auto *combo = new QComboBox(parent);
            combo->setEditable(true);
            // What is typed stays as typed: no item is completed after a part of a code, to be written in
            // its place by Enter, and no typed letter gives way to a completion at the field's size.
            combo->setCompleter(nullptr);
            // A list may offer texts longer than the field, which the field's text handler turns into what
            // it keeps (a description for its code): a picked text is never cut.
            int longest = most;
            for (const QString &item : c->PickList)
                longest = std::max(longest, int(item.size()));
            combo->lineEdit()->setMaxLength(longest);
            combo->addItems(c->PickList);
            // The list drops down as wide as its longest item, beyond a narrow column.
            QAbstractItemView *list = combo->view();
            list->setMinimumWidth(list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() +
                                  2 * list->frameWidth());
            // The editor starts empty, as a line edit does, and takes the cell's text next: the first item
            // would stay as the cell's text, and the typing would go after it.
            combo->setCurrentIndex(-1);
            QObject::connect(combo, &QComboBox::activated, grid_, [g = grid_, combo] { g->editorTyped(combo); });
            QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, grid_,
                             [g = grid_, combo] { g->editorTyped(combo); });
            editor = combo;
        } else {
            auto *edit = new QLineEdit(parent);
            edit->setFrame(false);
            if (c->ButtonStyle == cbsEllipsis) {
                QPixmap dots(16, 16);
                dots.fill(Qt::transparent);
                QPainter p(&dots);
                p.setPen(grid_->palette().color(QPalette::Text));
                p.drawText(dots.rect(), Qt::AlignCenter, QStringLiteral("…"));
                p.end();
                QAction *button = edit->addAction(QIcon(dots), QLineEdit::TrailingPosition);
                // What was typed reaches the field first (a pick may start from it), and the editor closes
                // so that it cannot write its old text over what the pick chose.
                QObject::connect(button, &QAction::triggered, grid_, [g = grid_, edit] {
                    if (!g->ownEditor(edit) || !g->commitEditor() || !g->ownEditor(edit))
                        return;
                    g->closeEditor(edit, QAbstractItemDelegate::NoHint);
                    if (g->OnEditButtonClick)
                        g->OnEditButtonClick(g);
                });
            }
            edit->setMaxLength(most);
            QObject::connect(edit, &QLineEdit::textEdited, grid_, [g = grid_, edit] { g->editorTyped(edit); });
            editor = edit;
        }
        grid_->editor_ = editor;
        grid_->editIndex_ = index;
        grid_->editorText_.clear();
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        // What the user typed stays in the editor while the row is read again around it.
        const bool own = editor == grid_->editor_;
        if (own && grid_->CellEditorText() != grid_->editorText_)
            return;
        const QString text = index.data(Qt::EditRole).toString();
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            // Selected, as Qt selects a line edit's: the first key typed takes the place of the cell's text (a
            // new row's blank) instead of going after it.
            combo->setEditText(text);
            combo->lineEdit()->selectAll();
        } else if (auto *edit = qobject_cast<QLineEdit *>(editor))
            edit->setText(text);
        if (own)
            grid_->editorText_ = text;
    }

    // The grid writes the editor's text itself (commitEditor), never through the model's cache.
    void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override {}

protected:
    // Enter, Tab and the focus leaving are the grid's: the text is written at once, and a refused one keeps
    // the editor (Qt would write it later, on a queued call, and close the editor whatever the field said).
    // Escape closes the editor without writing, as Qt does.
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *editor = qobject_cast<QWidget *>(object);
        if (!grid_->ownEditor(editor))
            return QStyledItemDelegate::eventFilter(object, event);
        if (event->type() == QEvent::KeyPress) {
            auto *ke = static_cast<QKeyEvent *>(event);
            // A letter held with Alt that no button took is not typed into the cell.
            if (AltCommandKey(ke))
                return true;
            switch (ke->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                grid_->editorKey(editor, ke);
                return true;
            default:
                break;
            }
        } else if (event->type() == QEvent::FocusOut) {
            grid_->editorFocusOut(editor);
            return false;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TDBGrid *grid_;
};

// The title row: our drawing over each painted title, title hints and the title menu.
class TDBGridHeader : public QHeaderView {
public:
    explicit TDBGridHeader(TDBGrid *grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid)
    {
        setSectionsClickable(true);
        setHighlightSections(false);
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        painter->save();
        QHeaderView::paintSection(painter, rect, logicalIndex);
        painter->restore();
        if (logicalIndex >= 0 && logicalIndex < grid_->ColumnCount())
            grid_->DrawTitle(painter, rect, logicalIndex);
    }

    bool viewportEvent(QEvent *e) override
    {
        if (e->type() == QEvent::ToolTip) {
            auto *he = static_cast<QHelpEvent *>(e);
            const int col = logicalIndexAt(he->pos());
            const QString hint = col >= 0 && col < grid_->ColumnCount() ? grid_->TitleHint(col) : QString();
            if (hint.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(he->globalPos(), QString(hint).replace(QLatin1Char('\r'), QLatin1Char('\n')), this,
                                   QRect(), 4000); // hints break their lines with CR
            return true;
        }
        if (e->type() == QEvent::ContextMenu) {
            auto *ce = static_cast<QContextMenuEvent *>(e);
            const int col = logicalIndexAt(ce->pos());
            if (col >= 0 && col < grid_->ColumnCount()) {
                grid_->TitleContextMenu(col, ce->globalPos());
                return true;
            }
        }
        return QHeaderView::viewportEvent(e);
    }

private:
    TDBGrid *grid_;
};

// ---------------------------------------------------------------- TDBGrid

TDBGrid::TDBGrid(QWidget *parent)
    : QTableView(parent), model_(new TDataSetModel(this)), delegate_(new TDBGridDelegate(this)),
      header_(new TDBGridHeader(this)), options_(dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines |
                                                 dgRowLines | dgTabs | dgConfirmDelete | dgCancelOnExit)
{
    setHorizontalHeader(header_);
    setModel(model_);
    setItemDelegate(delegate_);
    setSelectionMode(QAbstractItemView::NoSelection);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setFixedWidth(14);
    verticalHeader()->setSectionsClickable(false);
    for (QAbstractButton *b : findChildren<QAbstractButton *>()) {
        corner_ = b;
        corner_->installEventFilter(this);
    }
    setCornerButtonEnabled(false);
    connect(model_, &TDataSetModel::currentRowChanged, this, &TDBGrid::followDataSet);
    connect(model_, &TDataSetModel::columnsReset, this, &TDBGrid::columnsReset);
    // Rows read again (a cancelled edit, a refresh) keep the user's column; new columns start at the first.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (currentIndex().isValid())
            keptColumn_ = currentIndex().column();
        keepFocusFromEditor(0, INT_MAX);
    });
    connect(model_, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first, int last) { keepFocusFromEditor(first, last); });
    connect(model_, &TDataSetModel::stateChanged, viewport(), qOverload<>(&QWidget::update));
    connect(header_, &QHeaderView::sectionClicked, this, [this](int col) {
        if (col >= 0 && col < ColumnCount() && (options_ & dgTitles))
            TitleClick(Columns(col));
    });
    connect(header_, &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        if (!syncing_ && col >= 0 && col < ColumnCount())
            Columns(col)->Width = size;
    });
    // A post or a move of the data set takes the text of an open cell editor first; a refused text stops it.
    model_->OnUpdateData = [this] {
        if (!commitEditor(true))
            Abort();
    };
    applyOptions();
}

TDBGrid::~TDBGrid()
{
    model_->OnUpdateData = nullptr;
    // Handlers connected on the grid (a derived grid's sums, a form's set-up of an opened table) belonged to
    // parts of it already destroyed: the closing below is not theirs to hear.
    disconnect(model_, &TDataSetModel::activeChanged, this, nullptr);
    // Let go of the data set while the grid is whole: the model's last signals reach a living view.
    model_->SetDataSource(nullptr);
}

void TDBGrid::SetDataSource(TDataSource *source)
{
    ClearMarks();
    model_->SetDataSource(source);
}

TColumn *TDBGrid::AddColumn(const QString &fieldName, const QString &title, int width)
{
    return model_->AddColumn(fieldName, title, width);
}

TColumn *TDBGrid::SelectedColumn() const
{
    const int i = SelectedIndex();
    return i >= 0 ? Columns(i) : nullptr;
}

int TDBGrid::SelectedIndex() const
{
    if (ColumnCount() == 0)
        return -1;
    const int c = currentIndex().isValid() ? currentIndex().column() : 0;
    return std::clamp(c, 0, ColumnCount() - 1);
}

void TDBGrid::SetSelectedIndex(int column)
{
    if (column < 0 || column >= ColumnCount() || !commitEditor())
        return;
    const int row = std::max(model_->CurrentRow(), 0);
    syncing_ = true;
    setCurrentIndex(model_->index(row, column));
    syncing_ = false;
}

TField *TDBGrid::SelectedField() const
{
    const TColumn *c = SelectedColumn();
    return c ? c->Field() : nullptr;
}

void TDBGrid::SetOptions(TDBGridOptions options)
{
    options_ = options;
    applyOptions();
}

void TDBGrid::SetReadOnly(bool on)
{
    model_->ReadOnly = on;
    applyOptions();
}

bool TDBGrid::canEditData() const
{
    return (options_ & dgEditing) && !(options_ & dgRowSelect) && !model_->ReadOnly;
}

bool TDBGrid::atLastRow() const
{
    const TDataSet *ds = DataSet();
    return ds && !ds->IsEmpty() && model_->CurrentRow() == ds->FetchedCount() - 1 && !ds->CanFetchMore();
}

void TDBGrid::applyOptions()
{
    header_->setVisible(options_ & dgTitles);
    verticalHeader()->setVisible(options_ & dgIndicator);
    setShowGrid(options_ & (dgColLines | dgRowLines));
    header_->setSectionResizeMode((options_ & dgColumnResize) ? QHeaderView::Interactive : QHeaderView::Fixed);
    setEditTriggers(canEditData() ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                                        QAbstractItemView::SelectedClicked
                                  : QAbstractItemView::NoEditTriggers);
    if (!(options_ & dgMultiSelect))
        ClearMarks();
    viewport()->update();
}

int TDBGrid::DefaultColumnWidth(const TColumn *c) const
{
    // The field's display width in characters; a long text column no wider than a sentence, so the
    // columns after it stay in view; a date and time as wide as it shows.
    const QFontMetrics fm = fontMetrics();
    const TField *f = c->Field();
    int chars = f ? f->DisplayWidth() : 10;
    int charWidth = fm.averageCharWidth();
    // A number's digits are wider than the average character.
    if (f && IsNumericType(f->DataType()))
        charWidth = std::max(charWidth, fm.horizontalAdvance(QLatin1Char('0')));
    if (f && IsStringType(f->DataType())) {
        chars = std::min(chars, MaxTextColumnChars);
        // A short text is a code, of capitals and digits, which are wider than the average character.
        if (chars <= MaxCodeChars) {
            static const QString codeCharacters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
            charWidth =
                (fm.horizontalAdvance(codeCharacters) + int(codeCharacters.size()) - 1) / int(codeCharacters.size());
        }
    }
    int data = charWidth * chars;
    if (f && f->DataType() == ftDateTime)
        data = std::max(data, fm.horizontalAdvance(FormatDateTime(QStringLiteral("c"),
                                                                  QDateTime(QDate(2026, 12, 28), QTime(20, 58, 58)))));
    else if (f && f->DataType() == ftDate)
        data =
            std::max(data, fm.horizontalAdvance(FormatDateTime(FormatSettings().ShortDateFormat, QDate(2026, 12, 28))));
    return std::max(data + 8, TitleWidth(c));
}

int TDBGrid::TitleWidth(const TColumn *c) const
{
    // A title with a mark is measured bold, as a sorted title shows; the header's style adds its margins.
    const int mark = TitleMarkWidth(c);
    QFont titleFont = c->TitleFont ? *c->TitleFont : header_->font();
    if (mark > 0)
        titleFont.setBold(true);
    QStyleOptionHeader opt;
    opt.initFrom(header_);
    opt.text = c->Title();
    opt.fontMetrics = QFontMetrics(titleFont);
    const int styled = header_->style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), header_).width();
    return std::max(styled, opt.fontMetrics.horizontalAdvance(opt.text) + 8) + mark;
}

void TDBGrid::columnsReset()
{
    keptColumn_ = 0;
    syncing_ = true;
    for (int i = 0; i < ColumnCount(); ++i) {
        TColumn *c = Columns(i);
        setColumnHidden(i, !c->Visible);
        int width = c->Width < 0 ? DefaultColumnWidth(c) : std::max(c->Width, TitleWidth(c));
        if (c->Width < 0 && c->Field())
            fieldWidths_[c->FieldName.toUpper()] = width;
        else if (c->Width < 0)
            width = std::max(width, fieldWidths_.value(c->FieldName.toUpper()));
        // The editor of a column with a button shows the button beside the value, not over it.
        if (c->ButtonStyle == cbsEllipsis)
            width += EllipsisButtonWidth;
        setColumnWidth(i, width);
    }
    syncing_ = false;
    // Marks name rows of the data as it was opened.
    if (!model_->Active())
        ClearMarks();
}

void TDBGrid::followDataSet(int row)
{
    if (row < 0) {
        viewport()->update();
        return;
    }
    syncing_ = true;
    int col = currentIndex().isValid() ? currentIndex().column() : keptColumn_;
    if (ColumnCount() > 0) {
        col = std::clamp(col, 0, ColumnCount() - 1);
        const QModelIndex idx = model_->index(row, col);
        if (currentIndex() != idx)
            selectionModel()->setCurrentIndex(idx, QItemSelectionModel::NoUpdate);
        scrollTo(idx);
    }
    syncing_ = false;
    viewport()->update();
}

void TDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (syncing_ || !current.isValid() || !model_->Active())
        return;
    if (current.row() != model_->CurrentRow()) {
        const int want = current.row();
        if (!Guarded([&] { DataSet()->SetRecNo(want + 1); }))
            followDataSet(model_->CurrentRow());
    }
    viewport()->update();
}

int TDBGrid::VisibleRowCount() const
{
    const int h = verticalHeader()->defaultSectionSize();
    return std::max(1, viewport()->height() / std::max(1, h));
}

void TDBGrid::KeyDown(int &key, Qt::KeyboardModifiers modifiers)
{
    if (OnKeyDown)
        OnKeyDown(key, modifiers);
}

void TDBGrid::keyPressEvent(QKeyEvent *e)
{
    int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    KeyDown(key, mods);
    if (key == 0) {
        e->accept();
        return;
    }
    TDataSet *ds = DataSet();
    if (!ds || !model_->Active()) {
        QTableView::keyPressEvent(e);
        return;
    }
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const int before = model_->CurrentRow();
    auto extendMarks = [&] {
        if ((options_ & dgMultiSelect) && shift)
            markRange(before, model_->CurrentRow());
    };
    switch (key) {
    case Qt::Key_Up:
        Guarded([&] { ds->Prior(); });
        extendMarks();
        break;
    case Qt::Key_Down:
        // Down on the last row of a grid that is edited starts a new row after it; a new row nobody has typed
        // into yet stays the last.
        if (AppendAtEnd && !ctrl && !shift && canEditData() && ds->CanModify() && atLastRow()) {
            if (ds->State() != dsInsert || ds->Modified())
                Guarded([&] { ds->Append(); });
        } else {
            Guarded([&] { ds->Next(); });
        }
        extendMarks();
        break;
    case Qt::Key_PageUp:
        Guarded([&] { ds->MoveBy(-VisibleRowCount()); });
        extendMarks();
        break;
    case Qt::Key_PageDown:
        Guarded([&] { ds->MoveBy(VisibleRowCount()); });
        extendMarks();
        break;
    case Qt::Key_Home:
        if (ctrl || (options_ & dgRowSelect))
            Guarded([&] { ds->First(); });
        else
            SetSelectedIndex(0);
        break;
    case Qt::Key_End:
        if (ctrl || (options_ & dgRowSelect))
            Guarded([&] { ds->Last(); });
        else
            SetSelectedIndex(ColumnCount() - 1);
        break;
    case Qt::Key_Insert:
        // At the last row a new row goes after it, elsewhere before the current one.
        if (!ctrl && !shift && canEditData())
            Guarded([&] {
                if (ds->IsEmpty() || atLastRow())
                    ds->Append();
                else
                    ds->Insert();
            });
        break;
    case Qt::Key_Delete:
        if (ctrl)
            deleteCurrent();
        else
            QTableView::keyPressEvent(e);
        break;
    case Qt::Key_Escape:
        if (ds->State() == dsEdit || ds->State() == dsInsert)
            Guarded([&] { ds->Cancel(); });
        else
            e->ignore();
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Across the columns of a row; a grid without rows has no cell to go to, and Tab leaves it.
        if ((options_ & dgTabs) && ColumnCount() > 0 && currentIndex().isValid()) {
            const int col = SelectedIndex() + (key == Qt::Key_Tab && !shift ? 1 : -1);
            if (col >= 0 && col < ColumnCount()) {
                SetSelectedIndex(col);
                break;
            }
        }
        focusNextPrevChild(key == Qt::Key_Tab && !shift);
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!(options_ & dgRowSelect))
            SetSelectedIndex(SelectedIndex() + (key == Qt::Key_Right ? 1 : -1));
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (state() == QAbstractItemView::EditingState)
            break; // the editor's Enter, its text written: the editor closes after it
        if (ctrl && !(options_ & dgRowSelect)) {
            // Ctrl+Enter presses the cell's button, in a read-only grid too (which opens no editor).
            if (const TColumn *c = SelectedColumn(); c && c->ButtonStyle == cbsEllipsis && OnEditButtonClick)
                OnEditButtonClick(this);
            break;
        }
        if (canEditData() && currentIndex().isValid() && (model_->flags(currentIndex()) & Qt::ItemIsEditable))
            edit(currentIndex());
        else
            e->ignore();
        break;
    default:
        QTableView::keyPressEvent(e);
        return;
    }
}

void TDBGrid::deleteCurrent()
{
    TDataSet *ds = DataSet();
    if (model_->ReadOnly || !ds->CanModify() || ds->IsEmpty())
        return;
    if ((options_ & dgConfirmDelete) &&
        MessageDlg(QString::fromUtf8("Zmazať záznam?"), mtConfirmation, mbYesNo) != mrYes)
        return;
    Guarded([&] { ds->Delete(); });
}

void TDBGrid::mousePressEvent(QMouseEvent *e)
{
    const Qt::KeyboardModifiers mods = ClickModifiers(e->modifiers());
    const int before = model_->CurrentRow();
    const QModelIndex idx = indexAt(e->position().toPoint());
    // A click beside an open editor writes its text first; a refused text keeps the editor, and the click
    // moves nothing.
    if (ownEditor(editor_) && idx != QModelIndex(editIndex_) && !commitEditor()) {
        if (ownEditor(editor_))
            editor_->setFocus();
        return;
    }
    QTableView::mousePressEvent(e);
    if (ownEditor(editor_))
        editor_->setFocus(); // the click gave the focus to the grid; the editor stays in use
    if (!(options_ & dgMultiSelect) || !idx.isValid() || e->button() != Qt::LeftButton || !model_->Active())
        return;
    if (model_->CurrentRow() != idx.row())
        return; // the move was refused
    if (mods & Qt::ShiftModifier) {
        markRange(anchorRow_ >= 0 ? anchorRow_ : before, idx.row());
    } else if (mods & Qt::ControlModifier) {
        MarkCurrentRow(!RowMarked(idx.row()));
        anchorRow_ = idx.row();
    } else {
        ClearMarks();
        anchorRow_ = idx.row();
    }
    viewport()->update();
}

void TDBGrid::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (indexAt(e->position().toPoint()).isValid()) {
        DblClick();
        return;
    }
    QTableView::mouseDoubleClickEvent(e);
}

void TDBGrid::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TDBGrid::TitleClick(TColumn *column)
{
    if (OnTitleClick)
        OnTitleClick(column);
}

bool TDBGrid::commitEditor(bool raise)
{
    const QPointer<QWidget> editor = editor_;
    if (!ownEditor(editor) || committing_)
        return true;
    const QString text = CellEditorText();
    if (text == editorText_)
        return true;
    bool written = false;
    const auto write = [&] { written = model_->WriteCell(editIndex_, text); };
    // While the field takes the text (and while its error box is up) nothing else writes or closes the editor.
    committing_ = true;
    bool ok = true;
    std::exception_ptr error;
    if (raise) {
        try {
            write();
        } catch (...) {
            error = std::current_exception();
            ok = false;
        }
    } else {
        ok = Guarded(write);
    }
    committing_ = false;
    if (ok && written) {
        if (ownEditor(editor))
            editorText_ = text;
        return true;
    }
    if (ownEditor(editor))
        selectEditorText(editor);
    if (error)
        std::rethrow_exception(error);
    return false;
}

void TDBGrid::editorKey(QWidget *editor, QKeyEvent *e)
{
    if (!commitEditor() || !ownEditor(editor))
        return;
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
        // As Qt's editors do: on to the next (previous) cell, whose editor opens.
        const bool back = e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier);
        TDataSet *ds = DataSet();
        if (!back && AppendAtEnd && ds && ds->CanModify() && canEditData() && atLastRow() &&
            !moveCursor(MoveNext, Qt::NoModifier).isValid()) {
            // Past the last cell of the last row a new row starts, as Down starts one there; a new row nobody
            // has typed into yet stays the last.
            closeEditor(editor, QAbstractItemDelegate::NoHint);
            if (ds->State() != dsInsert || ds->Modified())
                Guarded([&] { ds->Append(); });
            SetSelectedIndex(0);
            editAt(currentIndex());
            return;
        }
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        editAt(moveCursor(back ? MovePrevious : MoveNext, Qt::NoModifier));
        return;
    }
    // Enter is the grid's key then (where Enter works as Tab it goes on to the next column).
    keyPressEvent(e);
    if (ownEditor(editor))
        closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
}

void TDBGrid::editorFocusOut(QWidget *editor)
{
    // An error box of the field, another window or the editor's own list takes the focus only for a while.
    if (committing_ || !editor->isActiveWindow())
        return;
    bool toGrid = false;
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (w == editor)
            return;
        toGrid = toGrid || w == this;
    }
    // Another control: the text is written and the editor closes. The grid itself (a click into it, which
    // judges the editor in mousePressEvent) and a refused text give the focus back to an editor still open,
    // once the move that took it is over.
    const bool refused = !toGrid && !commitEditor();
    if (!toGrid && !refused) {
        if (ownEditor(editor))
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this, refused, back = QPointer<QWidget>(editor)] {
            if (!ownEditor(back))
                return;
            back->setFocus();
            if (refused)
                selectEditorText(back); // losing the focus took the selection
        },
        Qt::QueuedConnection);
}

void TDBGrid::selectEditorText(QWidget *editor)
{
    if (auto *combo = qobject_cast<QComboBox *>(editor); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
    else if (auto *edit = qobject_cast<QLineEdit *>(editor))
        edit->selectAll();
}

void TDBGrid::editorTyped(QWidget *editor)
{
    // As in every data-aware control, typing starts the row's edit: a post or a save by a key, which leaves
    // the editor open, then takes the text. A row that cannot be edited gives its text back.
    TDataSet *ds = DataSet();
    if (!ownEditor(editor) || committing_ || !ds || ds->State() != dsBrowse)
        return;
    bool editing = false;
    committing_ = true;
    const bool ok = Guarded([&] { editing = model_->EditRow(editIndex_.row()); });
    committing_ = false;
    if (ok && editing)
        return;
    QApplication::beep();
    if (ownEditor(editor))
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void TDBGrid::keepFocusFromEditor(int first, int last)
{
    // The view lets go of an editor whose row goes away (the rows read again after a post, say); the focus
    // it had stays in the grid instead of passing on to the next control.
    if (ownEditor(editor_) && editor_->hasFocus() && editIndex_.row() >= first && editIndex_.row() <= last)
        setFocus();
}

void TDBGrid::commitData(QWidget *editor)
{
    // Qt writes an editor as the current cell moves away from it; ours is written once, through its field.
    if (ownEditor(editor))
        commitEditor();
}

void TDBGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor && editor == editor_) {
        const bool released = !editIndex_.isValid(); // its rows went away, and the view let go of it then
        editor_ = nullptr;
        editIndex_ = QPersistentModelIndex();
        if (released)
            return;
    }
    QTableView::closeEditor(editor, hint);
}

void TDBGrid::editAt(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QPersistentModelIndex target(index);
    setCurrentIndex(target);
    // The editor opens where the data set is (see edit); Qt's own move would complain of a failed edit.
    if (target.isValid() && (target.flags() & Qt::ItemIsEditable) && !(editTriggers() & CurrentChanged))
        edit(target, AllEditTriggers, nullptr);
}

bool TDBGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // The editor opens in the data set's current row, the one the indicator shows: a row that could not be
    // left keeps the data set where it was, and a row whose key was typed may have moved to its place in
    // the order.
    if (index.isValid() && model_->Active() && index.row() != model_->CurrentRow()) {
        const QModelIndex own = model_->index(model_->CurrentRow(), index.column());
        if (!own.isValid())
            return false;
        followDataSet(own.row());
        return QTableView::edit(own, trigger, event);
    }
    return QTableView::edit(index, trigger, event);
}

QModelIndex TDBGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex here = currentIndex();
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (here.isValid() && next.isValid() &&
        ((action == MoveNext && next.row() < here.row()) || (action == MovePrevious && next.row() > here.row())))
        return QModelIndex();
    return next;
}

void TDBGrid::resizeEvent(QResizeEvent *e)
{
    QTableView::resizeEvent(e);
    // A request of the view fetches about one screen.
    model_->FetchChunk = std::max(VisibleRowCount() + 1, 16);
}

void TDBGrid::focusInEvent(QFocusEvent *e)
{
    QTableView::focusInEvent(e);
    viewport()->update();
}

void TDBGrid::focusOutEvent(QFocusEvent *e)
{
    QTableView::focusOutEvent(e);
    viewport()->update();
}

bool TDBGrid::event(QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(e);
        if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) && model_->Active() &&
            !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QTableView::event(e);
}

bool TDBGrid::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == corner_ && e->type() == QEvent::Paint) {
        QPainter p(corner_);
        QStyleOptionHeader opt;
        opt.initFrom(corner_);
        opt.rect = corner_->rect();
        opt.position = QStyleOptionHeader::OnlyOneSection;
        style()->drawControl(QStyle::CE_Header, &opt, &p, corner_);
        DrawCorner(&p, corner_->rect());
        return true;
    }
    return QTableView::eventFilter(watched, e);
}

// ---------------------------------------------------------------- marks

std::vector<TBookmark> TDBGrid::SelectedRows() const
{
    std::vector<TBookmark> out;
    TDataSet *ds = DataSet();
    for (int row : SelectedRowNumbers())
        out.push_back(ds->BookmarkAt(row));
    return out;
}

std::vector<int> TDBGrid::SelectedRowNumbers() const
{
    std::vector<int> out;
    TDataSet *ds = DataSet();
    if (!ds || !model_->Active() || marks_.empty())
        return out;
    // One pass over the rows finds where every mark stands (a mark's row may be deleted since).
    std::unordered_map<TBookmark, int> rowOf;
    rowOf.reserve(markSet_.size());
    for (int row = 0, n = ds->FetchedCount(); row < n && rowOf.size() < markSet_.size(); ++row) {
        const TBookmark b = ds->BookmarkAt(row);
        if (markSet_.count(b))
            rowOf.emplace(b, row);
    }
    out.reserve(rowOf.size());
    for (TBookmark b : marks_) {
        const auto it = rowOf.find(b);
        if (it != rowOf.end())
            out.push_back(it->second);
    }
    return out;
}

bool TDBGrid::RowMarked(int row) const
{
    if (marks_.empty() || !model_->Active())
        return false;
    return markSet_.count(DataSet()->BookmarkAt(row)) > 0;
}

void TDBGrid::MarkCurrentRow(bool on)
{
    if (!model_->Active() || DataSet()->IsEmpty())
        return;
    const TBookmark b = DataSet()->GetBookmark();
    if (on && markSet_.insert(b).second)
        marks_.push_back(b);
    if (!on && markSet_.erase(b))
        marks_.erase(std::remove(marks_.begin(), marks_.end(), b), marks_.end());
    viewport()->update();
}

void TDBGrid::markRange(int from, int to)
{
    if (from < 0 || to < 0 || !model_->Active())
        return;
    const int step = from <= to ? 1 : -1;
    for (int r = from;; r += step) {
        const TBookmark b = DataSet()->BookmarkAt(r);
        if (b && markSet_.insert(b).second)
            marks_.push_back(b);
        if (r == to)
            break;
    }
    viewport()->update();
}

void TDBGrid::ClearMarks()
{
    marks_.clear();
    markSet_.clear();
    anchorRow_ = -1;
    viewport()->update();
}

QString TDBGrid::CellEditorText() const
{
    if (!ownEditor(editor_))
        return QString();
    if (auto *combo = qobject_cast<QComboBox *>(editor_.data()))
        return combo->currentText();
    if (auto *edit = qobject_cast<QLineEdit *>(editor_.data()))
        return edit->text();
    return QString();
}

// ---------------------------------------------------------------- painting

bool TDBGrid::cellSelected(const QModelIndex &index) const
{
    const int current = model_->CurrentRow();
    if (RowMarked(index.row()))
        return true;
    if (index.row() != current)
        return false;
    return (options_ & dgRowSelect) || index.column() == SelectedIndex();
}

void TDBGrid::paintCell(QPainter *painter, QStyleOptionViewItem &opt, const QModelIndex &index)
{
    const bool selected = cellSelected(index);
    const bool highlight = selected && (hasFocus() || (options_ & dgAlwaysShowSelection));
    if (highlight)
        opt.state |= QStyle::State_Selected;
    else
        opt.state &= ~QStyle::State_Selected;
    opt.state &= ~QStyle::State_HasFocus;
    TField *field = Columns(index.column())->Field();
    TDataSet *ds = DataSet();
    if (OnGetCellProp && field && ds && index.row() < ds->FetchedCount()) {
        TCellFont font(opt.font, opt.palette.color(QPalette::Text));
        const QColor savedColor = font.Color;
        QColor background = opt.palette.color(QPalette::Base);
        Guarded(
            [&] { ds->WithRecord(index.row(), [&] { OnGetCellProp(this, ds, field, font, background, highlight); }); });
        if (highlight)
            font.Color = savedColor;
        else
            opt.backgroundBrush = background;
        opt.font = font;
        opt.palette.setColor(QPalette::Text, font.Color);
    }
    // Cells are plain text on a background: painted directly, which keeps large screens quick.
    const bool selectedCell = opt.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    if (selectedCell)
        painter->fillRect(opt.rect, opt.palette.brush(group, QPalette::Highlight));
    else if (opt.backgroundBrush.style() != Qt::NoBrush)
        painter->fillRect(opt.rect, opt.backgroundBrush);
    if (opt.text.isEmpty())
        return;
    const QRect textRect = opt.rect.adjusted(2, 0, -2, 0);
    // The text is shaped once: its width decides eliding and placing, and the same shaped line is drawn.
    QTextLayout layout(opt.text, opt.font, painter->device());
    QTextOption noWrap;
    noWrap.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(noWrap);
    layout.setCacheEnabled(true);
    QTextLine line;
    const auto layOut = [&] {
        layout.beginLayout();
        line = layout.createLine();
        line.setLineWidth(textRect.width());
        layout.endLayout();
    };
    layOut();
    if (line.naturalTextWidth() > textRect.width()) {
        layout.setText(QFontMetrics(opt.font).elidedText(opt.text, Qt::ElideRight, textRect.width()));
        layOut();
    }
    const qreal width = line.naturalTextWidth();
    qreal x = textRect.left();
    if (opt.displayAlignment & Qt::AlignRight)
        x = textRect.right() + 1 - width;
    else if (opt.displayAlignment & Qt::AlignHCenter)
        x = textRect.left() + (textRect.width() - width) / 2;
    const qreal y = textRect.top() + (textRect.height() - line.height()) / 2;
    const QPen pen = painter->pen();
    painter->setPen(opt.palette.color(group, selectedCell ? QPalette::HighlightedText : QPalette::Text));
    line.draw(painter, QPointF(x, y));
    painter->setPen(pen);
}

TDBGrid *MakeGrid(QWidget *parent, TDataSource *source, const QList<QPair<const char *, const char *>> &columns)
{
    auto *g = new TDBGrid(parent);
    g->SetDataSource(source);
    for (const auto &c : columns)
        g->AddColumn(QString::fromLatin1(c.first), QString::fromUtf8(c.second));
    return g;
}
