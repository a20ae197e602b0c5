#pragma once

#include "database/ElementFacts.h"
#include "support/TestFiles.h"

// Iron and mercury by name, read as the installed repository is, which tests need not have.
inline ElementFacts NamedElements(TempFolder& folder)
{
    folder.WriteText("elements.xml", R"(<list><atom><scalar dictRef="atomicNumber">26</scalar>
<label dictRef="symbol" value="Fe"/><label dictRef="name" value="Iron"/></atom><atom>
<scalar dictRef="atomicNumber">80</scalar><label dictRef="symbol" value="Hg"/>
<label dictRef="name" value="Mercury"/></atom></list>)");
    std::string error;
    return ElementFacts::Load(folder.File("elements.xml"), &error);
}
