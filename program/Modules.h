// Every module folder's classes and routines, registered once at start before anything is created.
#pragma once

void RegisterModules();
