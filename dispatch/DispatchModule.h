// The dispatch module's place in the program: its data module and finished-goods store take the places
// of their stand-ins, the menu's delivery notes and store open its forms, and the hand-overs of
// production reach its delivery-note operations through the module hooks.
#pragma once

void RegisterDispatchModule();
