#pragma once
// The About page: the program's version and copyright, read from its version
// resource, and a link to the maker's web site.
#include <string>

#include "win/LinkLabel.h"
#include "win/PropertyPage.h"

class CShredApp;
class LanguagePack;
class SkinEngine;

class CAboutDlg : public win::PropertyPage {
public:
    static constexpr const char* kMakersSite = "https://www.plinkor.example/vantrel";
    // The visited colour the page gives its link.
    static constexpr COLORREF kVisitedColour = RGB(0, 13, 0);

    explicit CAboutDlg(CShredApp& app);
    CAboutDlg(const LanguagePack& texts, SkinEngine& skin);

    win::LinkLabel& link() { return link_; }

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyCaptions() const;
    void ApplyVersionTexts() const;

    const LanguagePack& texts_;
    SkinEngine& skin_;
    win::LinkLabel link_;
};
