// The probe profile: our unsigned add-on, sideloaded into the profile's
// "extensions" folder, is taken and switched on without asking.
user_pref("xpinstall.signatures.required", false);
user_pref("extensions.autoDisableScopes", 0);
user_pref("extensions.enabledScopes", 15);
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.aboutwelcome.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRunURL", "");
user_pref("app.update.enabled", false);
