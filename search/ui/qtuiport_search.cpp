// The application's port shows the search dialog.

#include "app/ui/qtuiport.h"

#include "search/ui/searchdialog.h"

bool QtUiPort::runSearchDialog(SearchState &state)
{
    TFormSWord dialog(m_parent);
    return dialog.run(state);
}
