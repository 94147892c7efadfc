#pragma once

#include "common/ListChange.h"
#include "common/Status.h"
#include "library/TextIndex.h"
#include "library/iconUtils.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// One row of the screensaver list; the path is its identity. It has no caption: the first column shows
// only the icon.
struct ScreensaverEntry
{
    int32_t IconIndex = -1;
    std::string Path;
    bool Selected = false;

    bool operator==(const ScreensaverEntry&) const = default;
};

// The ordered screensaver list: the rotation order, the only copy of the rows. Icons go into an image
// list that only grows; a row keeps the index of its image. An image is looked up when its row is first
// drawn, not when the row joins: a long list then costs no file query for the rows nobody scrolls to.
class ScreensaverList
{
public:
    explicit ScreensaverList(IconCache& icons);
    // The index below finds texts through this list, so a copy would look in the original.
    ScreensaverList(const ScreensaverList&) = delete;
    ScreensaverList& operator=(const ScreensaverList&) = delete;

    const std::vector<ScreensaverEntry>& Rows() const { return m_rows; }
    size_t Count() const { return m_rows.size(); }
    std::vector<std::string> Paths() const;
    // The row's icon, looked up on the first request for its path (later requests, and other rows of
    // the same path, reuse it). Empty for a file that did not exist then.
    const FileIcon& IconOfRow(size_t row);

    // Told of every change of the rows, so a view can follow; none when null.
    void SetObserver(ListObserver* observer) { m_observer = observer; }

    enum class Addition
    {
        Added,
        AlreadyListed, // the exact path, letter case included
        CannotKeep,    // a list file cannot keep the path (see ListFileCanKeep): it would come back as
                       // other rows at the next start
    };
    // The one way a file joins the list: appended unless the path is already listed or could not be
    // saved with the list.
    Addition AddScreensaverRow(const std::string& path);
    // Each path in turn as AddScreensaverRow takes it, the added rows told to the observer as one
    // insertion (a view then redraws once for the lot). Returns how many the list cannot keep.
    size_t AddScreensaverRows(const std::vector<std::string>& paths);

    // Appends a row for every line of the list file that yields a path, without any duplicate test.
    Status LoadListFromFile(const std::string& file);
    // Writes every row's path, in list order.
    Status SaveListToFile(const std::string& file) const;
    // Removes every row (the images stay).
    void Clear();
    // "Load from Disk File..": the rows are replaced by those of the files, in order; a file that cannot
    // be read is passed over.
    void ImportListFiles(const std::vector<std::string>& files);

    void SetSelected(size_t row, bool selected);
    void SelectAllRows();
    std::vector<size_t> SelectedRows() const;

    // Only the first selected row moves; it stays selected, and so do the others.
    void MoveSelectedToTop();
    void MoveSelectedToBottom();
    void MoveSelectedUp();
    void MoveSelectedDown();
    void DeleteSelectedRows();

private:
    static constexpr uint32_t kNone = UINT32_MAX;

    // What the list knows of each image, that is of each row ever appended (an image's number stays
    // its row's while the row lives, whatever moves).
    struct ImageOwner
    {
        uint32_t Row = kNone;  // where the row is now; kNone once it is removed
        uint32_t Kept = kNone; // for a path whose own row is removed: where its text was kept
        uint32_t LiveRows = 0; // for the image that stands for its path: how many rows hold the path
        bool LookedUp = false; // whether the image holds its path's icon yet
    };

    // The index of paths: one image stands for each path ever listed, and the index holds only its
    // number; the text is its row's own, or (once that row is removed) the same text moved aside. The
    // duplicate test and the icon look-up both go through it, so a path is held once however many
    // structures find it.
    struct PathOfImageIn
    {
        const ScreensaverList* List;
        std::string_view operator()(uint32_t image) const { return List->PathOfImage(image); }
    };

    std::string_view PathOfImage(uint32_t image) const;
    // The image that stands for the path, if the list has ever held it.
    std::optional<uint32_t> FindPath(std::string_view path) const;
    void AppendRow(std::string path);
    void MoveFirstSelectedTo(size_t target);
    void RemoveRows(size_t first, size_t count);
    // Tells the images of the rows from `first` on where their rows are now.
    void RecordRowsFrom(size_t first, size_t end);

    IconCache& m_icons;
    std::vector<ScreensaverEntry> m_rows;
    std::vector<FileIcon> m_images;
    std::vector<ImageOwner> m_owners; // one per image
    std::vector<std::string> m_kept;  // texts of paths whose own rows were removed
    std::vector<uint32_t> m_freeKept; // places in m_kept whose texts went back into rows
    TextIndex<PathOfImageIn> m_paths{PathOfImageIn{this}};
    ListObserver* m_observer = nullptr;
};

// For the status bar: how many files a scan or "Add Screensaver" left out because a list file cannot
// keep their names.
std::string LeftOutOfListText(size_t count);

// The active screensaver's row is drawn highlighted: its path equals the active text, letters compared
// upper-cased.
bool IsActiveRow(const std::string& path, const std::string& activeScreensaverText);

} // namespace kelvane
