#pragma once

// The about box.
class AboutDialog {
public:
    // Shows the box modally and returns when it closes.
    static void ShowModal();
};
