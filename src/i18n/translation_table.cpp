#include "i18n/translation_table.h"

namespace mf::i18n {
namespace {

// English text exactly as the code displays it, then its Ukrainian rendering.
//
// Texts built at run time (a version, a path or a web address put in) are listed as the
// fixed fragments the code translates one by one; the inserted part stays as it is.
// Technical names (VSync, FSR, MSAA, DirectX 12, Steam, GitHub, ...) are not translated.
constexpr TranslationPair kPairs[] = {
    // --- Title window and update banner ------------------------------------------------
    {"PLAY", "ГРАТИ"},
    // banner and confirmation caption: "Update available: " + tag [+ " — click to install"]
    {"Update available: ", "Доступне оновлення: "},
    {" — click to install", " — натисніть, щоб встановити"},

    // --- Update flow: confirmation, download progress, failure -------------------------
    // confirmation: question + "\r\n\r\n" + "Latest version: " + tag + "\r\n" + "Current version: " + own tag
    {"Download and install update?", "Завантажити та встановити оновлення?"},
    {"Latest version: ", "Остання версія: "},
    {"Current version: ", "Поточна версія: "},
    {"Downloading update", "Завантаження оновлення"},
    {"Update failed", "Помилка оновлення"},
    {"Could not download the update zip. Check your internet connection.",
     "Не вдалося завантажити архів оновлення. Перевірте підключення до інтернету."},
    {"Update — preparing installer...", "Оновлення — підготовка інсталятора…"},
    // shown by a launcher started while the update helper is installing
    {"Installing update…", "Встановлення оновлення…"},
    // progress line, filled with the mebibytes received and expected
    {"%llu / %llu MB", "%llu / %llu\u00A0МБ"},

    // --- Failed-update recovery (text + "\r\n\r\n" + log path) --------------------------
    {"Previous update did not finish", "Попереднє оновлення не завершилося"},
    {"The auto-updater logged an error on the last attempt. Open the diagnostic log? (No = delete "
     "log and continue.)",
     "Під час останньої спроби автооновлення в журнал записано помилку. Відкрити діагностичний "
     "журнал? («Ні» — видалити журнал і продовжити.)"},
    {"The update log could not be deleted.", "Не вдалося видалити журнал оновлення."},

    // --- Yes/No dialog and title-window buttons ------------------------------------------
    {"Yes", "Так"},
    {"No", "Ні"},
    {"Settings", "Налаштування"},
    {"Exit", "Вихід"},
    // what a screen reader announces as the title-window buttons' action
    {"Press", "Натиснути"},

    // --- Settings dialog buttons ---------------------------------------------------------
    // "&&" shows one '&' on a button; the Ukrainian text needs none.
    {"Save && Close", "Зберегти й закрити"},
    {"Cancel", "Скасувати"},

    // --- Title-window control hint ---------------------------------------------------------
    {"D-Pad: Select Option   A: Confirm", "D-Pad: Вибір   A: Підтвердити"},

    // --- Settings dialog tabs --------------------------------------------------------------
    {"Graphics", "Графіка"},
    {"Advanced", "Додатково"},
    {"Mouse", "Миша"},
    {"Controls", "Керування"},
    {"Debug", "Налагодження"},
    {"Experimental", "Експериментальне"},
    {"Native", "Нативний рендер"},
    // the one line of a page that has no settings
    {"There are no settings on this page in this version.", "У цій версії на цій сторінці немає налаштувань."},

    // --- Setting labels and choice labels, in schema order ---------------------------------
    // Graphics page
    {"Render Target Path", "Режим рендер-цілей"},
    {"ROV (recommended)", "ROV (рекомендовано)"},
    {"RTV (compatibility)", "RTV (для сумісності)"},
    {"Auto (SDK default)", "Авто (типово для SDK)"},
    {"Internal Resolution Scale", "Масштаб роздільності"},
    {"1x — 1280x720 internal", "1x — 1280x720 (внутрішня)"},
    {"2x — 2560x1440 internal (recommended)", "2x — 2560x1440 (внутрішня, рекомендовано)"},
    {"3x — 3840x2160 internal", "3x — 3840x2160 (внутрішня)"},
    {"4x — 5120x2880 internal (slowest)", "4x — 5120x2880 (внутрішня, найповільніше)"},
    {"Native 2x MSAA", "Нативне 2x MSAA"},
    {"Anisotropic Filtering", "Анізотропна фільтрація"},
    {"Game default", "Як у грі"},
    {"Off", "Вимк."},
    // multipliers read the same in both languages
    {"1x", "1x"},
    {"2x", "2x"},
    {"4x", "4x"},
    {"8x", "8x"},
    {"16x", "16x"},
    {"Post-process Anti-Aliasing", "Згладжування постобробкою"},
    {"Off (sharp, more aliasing)", "Вимк. (чітко, але більше зубчастих країв)"},
    {"FXAA (recommended)", "FXAA (рекомендовано)"},
    {"FXAA Extreme (heavier blur, hides specks)", "FXAA Extreme (сильніше розмиття, приховує цятки)"},
    {"Upscaler / Sharpener", "Масштабування / різкість"},
    {"Bilinear (off)", "Білінійне (вимк.)"},
    {"AMD CAS (sharpening)", "AMD CAS (підвищення різкості)"},
    {"AMD FSR 1 (spatial)", "AMD FSR 1 (просторове)"},
    {"AMD FSR 2 (temporal)", "AMD FSR 2 (часове)"},
    {"AMD FSR 3 (temporal+)", "AMD FSR 3 (часове+)"},
    {"FSR Quality Mode", "Режим якості FSR"},
    {"Auto", "Авто"},
    {"Native AA", "Нативне AA"},
    {"Quality", "Якість"},
    {"Balanced", "Баланс"},
    {"Performance", "Продуктивність"},
    {"Ultra Performance", "Ультрапродуктивність"},
    {"FSR Softness (0 = sharpest)", "М’якість FSR (0 = найрізкіше)"},
    {"CAS Extra Sharpness", "Додаткова різкість CAS"},
    {"Preserve Aspect (Letterbox)", "Зберігати пропорції (чорні смуги)"},
    {"60 FPS (ovk patch)", "60 FPS (патч ovk)"},
    {"Shader Compile Indicator", "Індикатор компіляції шейдерів"},
    {"Shader Indicator: Verbose", "Індикатор шейдерів: докладно"},
    {"PSO Library (disk cache)", "Бібліотека PSO (кеш на диску)"},
    {"VSync", "VSync"},
    {"Fullscreen", "Повноекранний режим"},
    {"Window Width (0 = auto)", "Ширина вікна (0 = авто)"},
    {"Window Height (0 = auto)", "Висота вікна (0 = авто)"},
    {"Monitor", "Монітор"},
    // first entry of the monitor list; the per-display entries are shown as built
    {"Default (primary)", "Основний"},
    // endings of the per-display entries: "1: DISPLAY1  2560x1440" + "  (primary)", and
    // a stored number + ": (not connected)" for a display no longer attached
    {"  (primary)", "  (основний)"},
    {": (not connected)", ": (не підключено)"},
    {"Allow VRR / Tearing", "Дозволити VRR / розриви кадру"},
    {"Output Dithering", "Дизеринг на виході"},

    // Advanced page (launcher options first)
    {"Launcher Language", "Мова лаунчера"},
    {"English", "Англійська"},
    {"Ukrainian", "Українська"},
    {"Steam Overlay", "Оверлей Steam"},
    {"On (Steam default)", "Увімк. (типово для Steam)"},
    {"Off (fixes black screen / tinted quarter frame)",
     "Вимк. (усуває чорний екран / кольорову чверть кадру)"},
    {"Share Shader Cache", "Ділитися кешем шейдерів"},
    {"On - send my shader cache (anonymous) to the project",
     "Увімк. — надсилати мій кеш шейдерів (анонімно) проєкту"},
    {"Input Backend", "Бекенд введення"},
    {"SDL (recommended, DualSense support)", "SDL (рекомендовано, підтримка DualSense)"},
    {"XInput (Xbox controllers only)", "XInput (лише контролери Xbox)"},
    {"Texture Dump (textures\\dump)", "Дамп текстур (textures\\dump)"},

    // Native page
    {"Native Renderer (test)", "Нативний рендер (тестовий)"},
    {"Internal Resolution", "Внутрішня роздільність"},
    {"1x - 1280x720, as the console", "1x — 1280x720, як на консолі"},
    {"2x - 2560x1440 (recommended)", "2x — 2560x1440 (рекомендовано)"},
    {"3x - 3840x2160", "3x — 3840x2160"},
    {"4x - 5120x2880", "4x — 5120x2880"},

    // Advanced page (game options)
    {"Controller Mappings (SDL)", "Відповідності кнопок (SDL)"},
    {"Game Language", "Мова гри"},
    {"German (Deutsch)", "Німецька (Deutsch)"},
    {"French (Francais)", "Французька (Français)"},
    {"Spanish (Espanol)", "Іспанська (Español)"},
    {"Italian (Italiano)", "Італійська (Italiano)"},
    {"GPU Adapter", "Графічний адаптер"},
    {"Auto (first physical GPU)", "Авто (перший фізичний GPU)"},
    {"Adapter 0", "Адаптер 0"},
    {"Adapter 1", "Адаптер 1"},
    {"Adapter 2", "Адаптер 2"},
    {"Async Shader Compilation", "Асинхронна компіляція шейдерів"},
    {"Texture Cache Soft Limit (MB)", "Кеш текстур: м’який ліміт (МБ)"},
    {"Texture Cache Hard Limit (MB)", "Кеш текстур: жорсткий ліміт (МБ)"},
    {"Mute Game Audio", "Вимкнути звук гри"},
    {"Audio Output", "Аудіовихід"},
    {"Auto (follow the Windows output device)", "Авто (за пристроєм виведення Windows)"},
    {"Stereo (fold 5.1 to 2.0; use if dialogue is quiet or missing)",
     "Стерео (зведення 5.1 у 2.0; якщо діалоги тихі або їх не чути)"},
    {"Surround (always send 5.1)", "Об’ємний звук (завжди 5.1)"},
    {"Skip Intro", "Пропуск вступу"},
    {"Off (publisher logos and the opening movie, then the title screen)",
     "Вимк. (логотипи видавців і вступний ролик, потім титульний екран)"},
    {"Skip the logos and the opening movie (straight to the title screen)",
     "Пропустити логотипи та вступний ролик (одразу до титульного екрана)"},
    {"Skip the logos and the movie, press Start (straight to the main menu)",
     "Пропустити логотипи й ролик, натиснути Start (одразу до головного меню)"},

    // Mouse page
    {"Mouse & Keyboard Mode", "Режим миші та клавіатури"},

    // Controls page: button prompt styles
    {"Button Prompts", "Підказки кнопок"},
    {"Keyboard (keys from your bindings)", "Клавіатура (клавіші з ваших прив’язок)"},
    {"Xbox (original icons)", "Xbox (оригінальні значки)"},
    {"PlayStation - solid (DualShock / DualSense)", "PlayStation — суцільні (DualShock / DualSense)"},
    {"PlayStation - solid with ring", "PlayStation — суцільні з обідком"},
    {"PlayStation - outline", "PlayStation — контурні"},

    // Mouse page (continued)
    {"Mouse Camera Hook (direct)", "Хук камери: миша напряму"},
    {"Camera Hook Sensitivity", "Хук камери: чутливість"},
    {"Camera Hook Invert Y", "Хук камери: інверсія Y"},
    {"Camera Hook: Direct Yaw", "Хук камери: прямий поворот"},
    {"Camera Hook: Catch-up", "Хук камери: доганяння"},
    {"Camera Auto-center Hold (ms)", "Затримка автоцентрування (мс)"},
    {"Mouse as Right Stick", "Миша як правий стік"},
    {"Mouse Sensitivity", "Чутливість миші"},
    {"Stick Scale (units per pixel)", "Масштаб стіка (од. на піксель)"},
    {"Deadzone Floor (stick units)", "Поріг мертвої зони (од. стіка)"},
    {"Invert Mouse Y", "Інвертувати вісь Y миші"},
    {"Aim: per-axis mouse floor", "Прицілювання: поріг для кожної осі"},
    {"Key Stick Ramp (ms)", "Наростання стіка з клавіш (мс)"},
    {"Auto-shake (hold A + D)", "Струшування утриманням A + D"},
    {"Auto-shake Rate (Hz)", "Частота струшування (Гц)"},

    // Controls page
    {"Controller Layout", "Схема керування"},
    {"Original (RT aims, A fires, LT holds breath)",
     "Оригінальна (RT — прицілювання, A — постріл, LT — затримати дихання)"},
    {"Quenlor (LT aims, RT fires, A holds breath)", "Quenlor (LT — прицілювання, RT — постріл, A — затримати дихання)"},
    {"DualSense Adaptive Triggers", "Адаптивні тригери DualSense"},
    {"Right Trigger Effect Mode", "Правий тригер: режим ефекту"},
    {"Off (pass-through)", "Вимк. (без ефекту)"},
    {"Feedback (constant resistance)", "Опір (постійний)"},
    {"Weapon (click point — gun trigger feel)", "Зброя (клацання, як спусковий гачок)"},
    {"Vibration (buzz on pull)", "Вібрація (тремтить під час натискання)"},
    {"Right Trigger Start Position", "Правий тригер: початок ефекту"},
    {"Right Trigger End Position", "Правий тригер: кінець ефекту"},
    {"Right Trigger Strength", "Правий тригер: сила ефекту"},
    {"Left Trigger Effect Mode", "Лівий тригер: режим ефекту"},
    {"Left Trigger Start Position", "Лівий тригер: початок ефекту"},
    {"Left Trigger End Position", "Лівий тригер: кінець ефекту"},
    {"Left Trigger Strength", "Лівий тригер: сила ефекту"},
    // key bindings
    {"A button (action / fire)", "Кнопка A (дія / постріл)"},
    {"B button", "Кнопка B"},
    {"X button", "Кнопка X"},
    {"Y button", "Кнопка Y"},
    {"Left Trigger", "Лівий тригер"},
    {"Right Trigger (aim)", "Правий тригер (прицілювання)"},
    {"Left Shoulder", "Лівий бампер"},
    {"Right Shoulder", "Правий бампер"},
    {"Left Stick Press", "Натискання лівого стіка"},
    {"Right Stick Press", "Натискання правого стіка"},
    {"Move Forward", "Рух уперед"},
    {"Move Backward", "Рух назад"},
    {"Strafe Left", "Стрейф ліворуч"},
    {"Strafe Right", "Стрейф праворуч"},
    {"D-Pad Up", "D-Pad угору"},
    {"D-Pad Down", "D-Pad униз"},
    {"D-Pad Left", "D-Pad ліворуч"},
    {"D-Pad Right", "D-Pad праворуч"},
    {"Back", "Кнопка Back"},
    {"Start (pause menu)", "Start (меню паузи)"},

    // Debug page
    {"Log Level", "Рівень журналювання"},
    {"Off (no logs)", "Вимк. (без журналів)"},
    {"Error", "Помилки"},
    {"Warn", "Попередження"},
    {"Info (recommended)", "Інформація (рекомендовано)"},
    {"Debug (verbose)", "Налагодження (докладно)"},
    {"Trace (very verbose)", "Трасування (дуже докладно)"},
    {"Memexport Readback (keep on)", "Зчитування Memexport (не вимикати)"},
    {"Occlusion Queries", "Запити оклюзії"},
    {"PSO Missing Policy", "Поведінка за відсутності PSO"},
    {"Block (wait per draw, budgeted — recommended)", "Блокувати (чекати в межах бюджету — рекомендовано)"},
    {"Skip (no block, pop-in on miss)", "Пропускати (без очікування, об’єкти з’являються пізніше)"},
    {"Sync (inline compile, longest stutter)", "Синхронно (компіляція на місці, найдовші підвисання)"},
    {"PSO Block Budget (ms)", "Бюджет блокування PSO (мс)"},
    {"No PSO Wait At Frame End", "Не чекати PSO наприкінці кадру"},
    {"D3D12 Debug Layer (slow)", "Шар налагодження D3D12 (повільно)"},
    {"Shader Storage Cache", "Кеш збережених шейдерів"},
    {"Log Files To Keep", "Скільки файлів журналу зберігати"},
    {"Log File Size Limit (MB)", "Ліміт розміру журналу (МБ)"},

    // --- Setting tooltips --------------------------------------------------------------------
    {"First test version brought to a proper state: DirectX 12 draws the game directly, faster, up "
     "to 4x internal resolution. Off = the stock emulated path, exactly as before. Please report "
     "your FPS, your hardware and anything that looks wrong on GitHub.",
     "Перша тестова версія, доведена до ладу: рендерить гру безпосередньо через DirectX 12, швидше, "
     "з внутрішньою роздільністю до 4x. Вимк. = стандартна емуляція, усе як раніше. Будь ласка, "
     "повідомляйте на GitHub свій FPS, конфігурацію комп’ютера і все, що виглядає неправильно."},
    {"Renders the whole frame at this multiple of the console's resolution and scales it down to "
     "your window: sharper image, no jagged edges. Needs the native renderer above; the cost is "
     "video memory and GPU time.",
     "Рендерить увесь кадр із роздільністю, у стільки разів більшою за консольну, і зменшує його "
     "до розміру вашого вікна: чіткіше зображення, без зубчастих країв. Потрібен нативний рендер "
     "(вище); ціна — відеопам’ять і час GPU."},
    {"While aiming, lifts each mouse axis over the game's deadzone separately, so diagonal aim no "
     "longer staircases (#30). Off = 1.4.1 behaviour.",
     "Під час прицілювання виводить кожну вісь миші за мертву зону гри окремо, тож діагональне "
     "прицілювання більше не йде сходинками (#30). Вимк. — як у версії 1.4.1."},

    // --- Start-up offers and notices ---------------------------------------------------------
    // Steam Deck preset
    {"Steam Deck preset", "Пресет для Steam Deck"},
    {"Steam Deck detected - the community-tested Deck preset was applied (RTV, 1x, 2x MSAA, 16x AF, "
     "FXAA + CAS, 30 FPS, VSync, fullscreen 1280x800). You can change anything in Settings; this "
     "will not be applied again.",
     "Виявлено Steam Deck — застосовано перевірений спільнотою пресет для Deck (RTV, 1x, 2x MSAA, "
     "16x AF, FXAA + CAS, 30 FPS, VSync, повноекранний режим 1280x800). Будь-що можна змінити в "
     "«Налаштуваннях»; повторно пресет не застосовуватиметься."},

    // Shader-cache sharing consent
    {"Help other players?", "Допомогти іншим гравцям?"},
    {"Share your shader cache with the project?\n\nOnly shader microcode and pipeline descriptions "
     "are sent, nothing else. The caches players send are merged and ship with the next release, so "
     "everyone meets fewer stutters from shader compilation.\n\nYou can change this later under "
     "Settings → Advanced → Share Shader Cache.",
     "Поділитися своїм кешем шейдерів із проєктом?\n\nНадсилаються лише мікрокод шейдерів та описи "
     "конвеєрів, більше нічого. Кеші, надіслані гравцями, об’єднуються й увійдуть до наступного "
     "випуску, тож усі матимуть менше підвисань через компіляцію шейдерів.\n\nЦе можна змінити "
     "пізніше: Налаштування → Додатково → Ділитися кешем шейдерів."},

    // Native renderer offer: four paragraphs joined by "\n\n"; the third is followed by
    // " (" + project page + ")."
    {"Try the native renderer?", "Спробувати нативний рендер?"},
    {"Mirefall Recompilation 2.0: the native renderer is ready for testing.",
     "Mirefall Recompilation 2.0: нативний рендер готовий до тестування."},
    {"It draws the game directly with DirectX 12 instead of emulating the Xbox 360 graphics chip: a "
     "higher frame rate, and a sharper picture at a higher internal resolution (up to 4x). This is "
     "the first test version brought to a proper state: colours, lighting, the sky, depth of field "
     "and the mirror floors now look the way they should.",
     "Він рендерить гру безпосередньо через DirectX 12 замість емуляції графічного чипа Xbox 360: вища частота "
     "кадрів і чіткіше зображення з вищою внутрішньою роздільністю (до 4x). Це перша тестова "
     "версія, доведена до ладу: кольори, освітлення, небо, глибина різкості та дзеркальні підлоги "
     "тепер виглядають так, як мають."},
    {"Please play with it and tell us how it goes: your impressions, your FPS and your hardware "
     "(graphics card and processor), in the project's GitHub issues",
     "Будь ласка, випробуйте його й напишіть про свої враження, FPS і конфігурацію (відеокарту "
     "та процесор) у розділі Issues проєкту на GitHub"},
    {"Turn the native renderer on now? You can switch it off at any time in Settings -> Native.",
     "Увімкнути нативний рендер зараз? Вимкнути його можна будь-коли: Налаштування → Нативний "
     "рендер."},

    // --- Settings saved, game launch and save errors -------------------------------------------
    {"Launcher language changed. Restart to apply.",
     "Мову лаунчера змінено. Перезапустіть лаунчер, щоб застосувати зміни."},
    {"Failed to launch mirefall.exe.\nMake sure it exists next to PlayMirefall.exe.",
     "Не вдалося запустити mirefall.exe.\nПереконайтеся, що цей файл є в тій самій теці, що й "
     "PlayMirefall.exe."},
    // "Failed to write settings to:\n" + path + "\n\nCheck file permissions and disk space."
    {"MFLauncher — Save error", "MFLauncher — помилка збереження"},
    {"Failed to write settings to:\n", "Не вдалося записати налаштування до файлу:\n"},
    {"\n\nCheck file permissions and disk space.",
     "\n\nПеревірте права доступу до файлу та вільне місце на диску."},

    // --- Settings dialog: values it could not take, values it keeps ------------------------
    // "These fields…" + one line per field: label + ": \"" + typed text + "\"", the quotes translated
    {"These fields do not hold a number and kept their previous values:",
     "Ці поля не містять числа, тому для них залишено попередні значення:"},
    // the typed text in quotation marks: ": \"" + text + "\""
    {": \"", ": «"},
    {"\"", "»"},
    // a choice value the list does not know: the value (or "(empty)") + " (from mirefall.toml)"
    {"(empty)", "(порожньо)"},
    {" (from mirefall.toml)", " (з mirefall.toml)"},

    // --- Names shown as they are ---------------------------------------------------------------
    {"Mirefall Recompilation", "Mirefall Recompilation"},
    {"Mirefall", "Mirefall"},
};

}  // namespace

std::span<const TranslationPair> TranslationPairs() { return kPairs; }

}  // namespace mf::i18n
