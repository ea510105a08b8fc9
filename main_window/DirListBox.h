#pragma once
// The folder list of the file browser, drawn as a folder tree cut down to one
// branch: the root ("/", or a drive's root on Windows) and each folder on the
// way down to the current one, then the current folder's subfolders, each row
// indented by its depth. A double-click (or Enter) on a row enters that
// folder. Every change of the path, by the program or by the user, is
// reported at once through pathChanged, so the dependent file list follows
// synchronously.
//
// Paths are kept as the file system's bytes (UTF-8 on Windows): a folder
// whose name is not UTF-8 is shown with replacement characters and entered by
// its own bytes, never a look-alike. A row keeps only its own name, or how
// much of the current path leads to it, so a path of many levels takes room
// and time in proportion to its length.
#include <QByteArray>
#include <QListWidget>
#include <QString>

#include <vector>

class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    // The absolute path of the folder shown, as text; empty before the first
    // SetPath.
    QString Path() const;
    // The same path as the file system spells it.
    QByteArray PathBytes() const { return path_; }

    // Shows the given folder. A folder that does not exist or cannot be read
    // raises RuntimeError 76 "Path not found" and leaves the list as it was.
    // Emits pathChanged when the path differs from the one shown.
    void SetPath(const QByteArray& path);
    void SetPath(const QString& path);

    // Reads the subfolders of the current folder again.
    void Refresh();

    // The folder a row leads to (its bytes), and how deep it lies below the root.
    static constexpr int TargetRole = Qt::UserRole + 1;
    static constexpr int DepthRole = Qt::UserRole + 2;

    // True when SetPath would show the folder.
    static bool CanShow(const QByteArray& path);

    // The absolute form of a path, without "." and ".." parts or a
    // separator at its end, worked out from its bytes alone.
    static QByteArray CleanPath(const QByteArray& path);

signals:
    void pathChanged();
    // A folder the user chose could not be entered.
    void enterFailed(const QByteArray& folder);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class FolderRow;

    void Enter(QListWidgetItem* item);
    // The way down to the current folder, then the given subfolders of it.
    void Fill(const std::vector<QByteArray>& subfolders);

    QByteArray path_;
};
