#pragma once
// The file list of the file browser: the files of one folder whose names match
// a pattern without regard to letter case, sorted by name. A mouse click on a
// row, or a move of the selection by the keyboard, is reported as clicked.
// Only the left button selects: a right-click leaves the selection as it is,
// so the pop-up menu it opens acts on the file that was chosen before.
// Only regular files are listed (also through a link), never folders, pipes
// or devices, whatever their names. A name that is not valid UTF-8 is shown
// with replacement characters, and its bytes are kept, so the commands act on
// the file that is really there.
#include <QByteArray>
#include <QListWidget>
#include <QString>

class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    // The folder shown, as text and as the file system spells it.
    QString Path() const;
    QByteArray PathBytes() const { return path_; }

    // Shows the files of the given folder. A folder that does not exist or
    // cannot be read raises RuntimeError 76 "Path not found" and leaves the
    // list as it was. Any selection is dropped.
    void SetPath(const QByteArray& path);
    void SetPath(const QString& path);

    QString Pattern() const { return pattern_; }
    void SetPattern(const QString& pattern);

    // The name of the selected file, empty when none is selected.
    QString FileName() const;
    // The same name as the file system spells it.
    QByteArray FileNameBytes() const;

    // Selects the named file, or nothing when it is not listed, without
    // reporting a click.
    void SelectFile(const QString& name);

    // Reads the folder again. The selected name stays selected while the file
    // is still there; otherwise nothing is selected.
    void Refresh();

signals:
    void clicked();
    void doubleClicked();
    // Any mouse button released over the list, with the pointer's place on
    // the screen.
    void mouseReleased(Qt::MouseButton button, const QPoint& globalPosition);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Shows the files of the folder; throws 76, with the list as it was, when
    // the folder cannot be read.
    void Fill(const QByteArray& path);
    void SelectRow(int row);

    QByteArray path_;
    QString pattern_ = QStringLiteral("*.gtp");
};
