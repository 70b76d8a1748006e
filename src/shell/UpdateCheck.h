#pragma once

// Asks the maker's server for a newer version and offers to download it.
class UpdateCheck {
public:
    static void ControllaAggiornamenti();
};
