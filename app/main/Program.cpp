// The one global application object lives in app/; this file only gives the executable its entry.
// The framework's entry point (platform/framework/entry) runs the application object's InitInstance
// and message loop.
