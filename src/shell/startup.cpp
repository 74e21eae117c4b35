#include "shell/startup.h"

#include "shell/main_window.h"

std::unique_ptr<TForm1> StartApplication(qvt::AppContext& context) {
    std::unique_ptr<TForm1> form(new TForm1(context));
    if (!form->StartUp())
        return nullptr;
    form->FormCreate();
    return form;
}
