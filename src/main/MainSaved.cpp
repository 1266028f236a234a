// The saved colours: the list with its swatches, its menu and keys, "Save", and colors.ini,
// read at start-up and written whole after every change (to what another program left in it,
// when one changed it meanwhile).
#include "brunmark/BrunmarkClass.h"
#include "main/MainForm.h"
#include "saved/Swatches.h"
#include "saved/ValuesDialog.h"
#include "ui/Application.h"
#include "ui/Error.h"
#include "ui/FlagScope.h"
#include "ui/WideText.h"

#include <string_view>
#include <unordered_map>

namespace vtl {

void TfrmMain::BindSavedColorEvents() {
    Save1->OnClick = [this](TComponent&) { Save1Click(); };
    ListView1->OnDblClick = [this](TComponent&) { ListView1DblClick(); };
    ListView1->OnKeyDown = [this](TComponent&, WORD& key, TShiftState) { ListView1KeyDown(key); };
    ListView1->OnMouseDown = [this](TControl&, TMouseButton b, TShiftState shift, int, int) {
        ListView1MouseDown(b, shift);
    };
    ListView1->OnMouseUp = [this](TControl&, TMouseButton b, TShiftState, int, int) {
        ListView1MouseUp(b);
    };
    mnuMyColors_Open1->OnClick = [this](TComponent&) { mnuMyColors_Open1Click(); };
    mnuMyColors_Open2->OnClick = [this](TComponent&) { mnuMyColors_Open2Click(); };
    mnuMyColors_Delete->OnClick = [this](TComponent&) { mnuMyColors_DeleteClick(); };
    mnuMyColors_Clear->OnClick = [this](TComponent&) { mnuMyColors_ClearClick(); };
}

std::wstring TfrmMain::GetColorsFileName() {
    try {
        return TBrunmark::GetDataFolder() + L"\\colors.ini";
    } catch (const Error& e) {
        // The settings have told the user already; the list then lives in memory only, which
        // the first change of the list tells.
        colorsFolderProblem_ = e.Text();
        return {};
    }
}

void TfrmMain::RedrawSwatches() {
    // Setting the size empties the list; the swatches come back in the entries' order, and
    // each entry is given the number of its own again: after a Delete or a Clear the old
    // numbers point past the end or at another entry's swatch.
    ImageList1->Resize(Scale(48), Scale(16));
    std::vector<TColor> colors;
    colors.reserve(savedTexts_.size());
    for (const std::string& text : savedTexts_)
        colors.push_back(HtmlToColor(text)); // each was a colour when it was listed
    const int first = colors.empty() ? 0 : AddSwatches(*ImageList1, colors);
    for (int i = 0; i < int(colors.size()); ++i)
        ListView1->SetItemImage(i, first + i);
    ListView1->SetSmallImages(ImageList1);
}

void TfrmMain::AddSavedEntry(int image, const std::string& text) {
    // The kept texts and the list stay in step: an entry the list refused is not kept.
    const int index = ListView1->AddItem("", image);
    if (index < 0) throw Error("Cannot add the colour to the list");
    savedTexts_.push_back(text);
    ListView1->SetSubItem(index, 1, text);
}

void TfrmMain::ShowSavedColors(const std::vector<SavedColor>& entries) {
    // An entry the list shows already keeps its swatch; only one new to it gets a new one.
    std::unordered_map<std::string_view, std::vector<int>> shown; // images, first at the back
    for (int i = ListView1->ItemCount() - 1; i >= 0; --i)
        shown[savedTexts_.at(size_t(i))].push_back(ListView1->ItemImage(i));
    std::vector<int> images(entries.size(), -1);
    std::vector<TColor> fresh;
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto it = shown.find(entries[i].text);
        if (it == shown.end() || it->second.empty()) {
            fresh.push_back(entries[i].color);
        } else {
            images[i] = it->second.back();
            it->second.pop_back();
        }
    }
    if (ImageList1->Count() == 0) {
        ImageList1->Reserve(int(fresh.size()) + 256);
        ListView1->SetSmallImages(ImageList1);
    }
    int next = fresh.empty() ? 0 : AddSwatches(*ImageList1, fresh);
    shown.clear();
    ListView1->Clear();
    savedTexts_.clear();
    ListView1->Reserve(int(entries.size()));
    const TListView::TUpdateScope oneRepaint(*ListView1);
    for (size_t i = 0; i < entries.size(); ++i)
        AddSavedEntry(images[i] >= 0 ? images[i] : next++, entries[i].text);
}

void TfrmMain::SelectLastSavedColor() {
    if (ListView1->ItemCount() == 0) return;
    ListView1->ScrollToEnd();
    ListView1->SelectOnly(ListView1->ItemCount() - 1);
}

void TfrmMain::LoadSavedColors() {
    colorsFile_.reset();
    ListView1->Clear();
    savedTexts_.clear();
    if (FColorsFile.empty()) return;
    colorsFile_ = std::make_unique<TColorsFile>(FColorsFile);
    try {
        ShowSavedColors(colorsFile_->Load());
    } catch (const std::exception& e) {
        // Memory ran out on a huge file, or the list refused an entry: the list starts empty and
        // the file keeps every colour in it.
        ListView1->Clear();
        savedTexts_ = {};
        colorsFile_->LeaveAlone(dynamic_cast<const std::bad_alloc*>(&e) ? TColorsFile::kNoMemory
                                                                        : Widen(e.what()));
    }
    // Told once the window shows, not while start-up still builds it.
    PostMessageA(Handle(), kMsgTellSavedColors, 0, 0);
}

void TfrmMain::StoreSavedColors(const std::optional<SavedColorsChange>& change) {
    if (!colorsFile_) {
        if (std::exchange(colorsNotKeptTold_, true)) return;
        TBrunmark::ShowMsgBox(L"Saved colours will not be kept after Vantrel ends: there is no "
                              L"data folder to keep colors.ini in.\n" +
                                  colorsFolderProblem_ + L".",
                              MB_OK | MB_ICONWARNING);
        return;
    }
    const bool saved = change && change->kind == SavedColorsChange::Kind::Append;
    colorsFile_->Store(savedTexts_, change, [&](const std::vector<SavedColor>& entries) {
        ShowSavedColors(entries);
        if (saved) SelectLastSavedColor();
    });
    TellSavedColorsNotice();
}

void TfrmMain::TellSavedColorsNotice() {
    if (!colorsFile_) return;
    const std::wstring notice = colorsFile_->TakeNotice();
    if (!notice.empty()) TBrunmark::ShowMsgBox(notice, MB_OK | MB_ICONWARNING);
}

void TfrmMain::ScrollToLastSavedColor() {
    // Inside it a scroll only asked again is left to the outer one.
    if (ListView1->ItemCount() == 0 || scrollingSavedColors_) return;
    FlagScope scrolling(scrollingSavedColors_);
    try {
        Application().ProcessMessages();
        SelectLastSavedColor();
    } catch (...) {
        // Cosmetic: the list stays where it is.
    }
}

void TfrmMain::ChangeSavedColors(SavedColorsCommand command, const std::function<void()>& change) {
    // Save, Delete and Clear each run whole, file written, before the next starts: one that
    // comes while another lets waiting messages run (the scroll after a Save, a question)
    // waits, with the entry chosen for it, and runs right after it.
    if (changingSavedColors_) {
        savedColorsLater_.push_back({command, ListView1->SelectedIndex()});
        return;
    }
    struct AtExit {
        std::function<void()> run;
        ~AtExit() { run(); }
    } const later{[this] {
        if (!savedColorsLater_.empty()) PostMessageA(Handle(), kMsgSavedColorsLater, 0, 0);
    }};
    const FlagScope changing(changingSavedColors_);
    change();
}

void TfrmMain::RunSavedColorsLater() {
    if (savedColorsLater_.empty()) return;
    const auto [command, selected] = savedColorsLater_.front();
    savedColorsLater_.erase(savedColorsLater_.begin());
    if (selected >= 0 && selected < ListView1->ItemCount()) ListView1->SelectOnly(selected);
    switch (command) {
    case SavedColorsCommand::Save: Save1Click(); break;
    case SavedColorsCommand::Delete: mnuMyColors_DeleteClick(); break;
    case SavedColorsCommand::Clear: mnuMyColors_ClearClick(); break;
    }
}

void TfrmMain::Save1Click() {
    ChangeSavedColors(SavedColorsCommand::Save, [this] {
        const SavedColor saved{edtHtml->Text(), CurrentColor()};
        AddSavedEntry(AddSwatches(*ImageList1, {&saved.color, 1}), saved.text);
        ScrollToLastSavedColor();
        StoreSavedColors(SavedColorsChange::Appended(saved));
    });
}

void TfrmMain::ListView1DblClick() {
    if (ListView1->SelectedIndex() >= 0) OpenSavedColor();
}

void TfrmMain::ListView1KeyDown(WORD& key) {
    if (ListView1->SelectedIndex() < 0) return;
    if (key == VK_RETURN) {
        OpenSavedColor();
        key = 0;
    }
    if (key == VK_DELETE) {
        mnuMyColors_DeleteClick();
        key = 0;
    }
}

void TfrmMain::PopupListMenu(bool entryItems, const POINT* at) {
    for (TMenuItem* item : {mnuMyColors_Open1, mnuMyColors_Open2, mnuMyColors_Delete})
        item->Enabled = entryItems;
    listMenuShown_ = true;
    if (at)
        mnuMyColors->PopupAt(*at, Handle());
    else
        mnuMyColors->Popup(Handle());
}

void TfrmMain::ListView1MouseDown(TMouseButton button, TShiftState shift) {
    if (button != TMouseButton::Right) return;
    // The second press of a right double click opens no menu, nor does its release.
    listMenuShown_ = (shift & ssDouble) != 0;
    if (!listMenuShown_ && ListView1->SelectedIndex() >= 0) PopupListMenu(true);
}

void TfrmMain::ListView1MouseUp(TMouseButton button) {
    // One menu per click: after the press's menu, "Delete" may have left nothing selected.
    if (button != TMouseButton::Right || std::exchange(listMenuShown_, false)) return;
    if (ListView1->SelectedIndex() < 0) PopupListMenu(false);
}

bool TfrmMain::Confirm(const char* question) {
    return TBrunmark::ShowMsgBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TfrmMain::mnuMyColors_Open1Click() {
    OpenSavedColor();
}

void TfrmMain::mnuMyColors_Open2Click() {
    if (!Confirm("Are you sure you want to open it? (Open II)")) return;
    try {
        const int index = ListView1->SelectedIndex();
        if (index < 0) return;
        ShowCurrentColor(HtmlToColor(savedTexts_.at(size_t(index))));
    } catch (const std::exception&) {
        // An entry that is not a colour changes nothing.
    }
}

void TfrmMain::mnuMyColors_DeleteClick() {
    ChangeSavedColors(SavedColorsCommand::Delete, [this] {
        if (!Confirm("Are you sure you want to delete it?")) return;
        std::optional<SavedColorsChange> change;
        if (const int index = ListView1->SelectedIndex(); index >= 0) {
            change = SavedColorsChange::Removed(savedTexts_.at(size_t(index)), size_t(index),
                                                savedTexts_.size());
            ListView1->DeleteItem(index);
            savedTexts_.erase(savedTexts_.begin() + index);
        }
        StoreSavedColors(change);
    });
}

void TfrmMain::mnuMyColors_ClearClick() {
    ChangeSavedColors(SavedColorsCommand::Clear, [this] {
        if (!Confirm("Are you sure you want to clear it?")) return;
        const SavedColorsChange change = SavedColorsChange::Cleared(std::move(savedTexts_));
        ListView1->Clear();
        savedTexts_.clear();
        StoreSavedColors(change);
    });
}

void TfrmMain::OpenSavedColor() {
    TfrmNew dialog(this);
    try {
        const int index = ListView1->SelectedIndex();
        if (index >= 0) dialog.ShowColor(savedTexts_.at(size_t(index)));
    } catch (const std::exception&) {
        // The fields keep "#".
    }
    dialog.ShowModal();
}

} // namespace vtl
