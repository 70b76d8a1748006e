#include "shell/UpdateCheck.h"

void UpdateCheck::ControllaAggiornamenti()
{
}
